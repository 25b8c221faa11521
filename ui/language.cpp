#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vantrel::ui {

Language chooseLanguage(const QStringList& uiLanguages) {
  bool otherLanguage = false;
  for (const QString& name : uiLanguages) {
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
      return Language::SimplifiedChinese;
    const QLocale locale(name);
    switch (locale.language()) {
      case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript ? Language::TraditionalChinese
                                                                    : Language::SimplifiedChinese;
      case QLocale::English:
        return Language::English;
      case QLocale::C:  // a name QLocale does not know
        break;
      default:
        otherLanguage = true;
    }
  }
  return otherLanguage ? Language::English : Language::SimplifiedChinese;
}

void installTranslations(QCoreApplication& application, Language language) {
  const auto install = [&application](const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(name, folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  };
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QString ownFolder = QStringLiteral(":/vantrel/translations");
  switch (language) {
    case Language::SimplifiedChinese:
      install(QStringLiteral("qtbase_zh_CN"), qtFolder);
      return;
    case Language::TraditionalChinese:
      install(QStringLiteral("qtbase_zh_TW"), qtFolder);
      install(QStringLiteral("vantrel_zh_TW"), ownFolder);
      return;
    case Language::English:
      // Qt's own texts are English already.
      install(QStringLiteral("vantrel_en"), ownFolder);
      return;
  }
}

}  // namespace vantrel::ui
