// The windows in each language: the language chosen from the user's, and
// every caption, result line and credit line whole in the fixed windows.

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <QTranslator>
#include <memory>

#include "tests/ui/main_window_fixture.h"
#include "ui/language.h"
#include "ui/readme_window.h"

using vantrel::test::control;
using vantrel::test::listLines;
using vantrel::ui::Language;

Q_DECLARE_METATYPE(Language)

namespace {

void solve(QWidget& window, const QStringList& hand) {
  const char* names[] = {"编辑框a", "编辑框b", "编辑框c", "编辑框d"};
  for (int i = 0; i < 4; ++i) control<QLineEdit>(window, names[i])->setText(hand[i]);
  control<QPushButton>(window, "计算按钮")->click();
}

}  // namespace

class TranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void chooseLanguage_data() {
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<Language>("expected");
    const auto row = [](const char* name, QStringList languages, Language language) {
      QTest::newRow(name) << languages << language;
    };
    row("C", {"C"}, Language::SimplifiedChinese);
    row("none", {}, Language::SimplifiedChinese);
    row("mainland", {"zh-CN", "zh-Hans-CN"}, Language::SimplifiedChinese);
    row("Simplified in Hong Kong", {"zh-Hans-HK"}, Language::SimplifiedChinese);
    row("Taiwan", {"zh-TW", "zh-Hant-TW"}, Language::TraditionalChinese);
    row("Hong Kong", {"zh-HK"}, Language::TraditionalChinese);
    row("Traditional", {"zh-Hant"}, Language::TraditionalChinese);
    row("US", {"en-US", "en-Latn-US", "en"}, Language::English);
    row("French", {"fr-FR"}, Language::English);
    row("French, then Taiwan", {"fr", "fr-FR", "zh-TW"}, Language::TraditionalChinese);
    row("unknown name, then Taiwan", {"xx-YY", "zh-TW"}, Language::TraditionalChinese);
  }
  void chooseLanguage() {
    QFETCH(QStringList, uiLanguages);
    QFETCH(Language, expected);
    QCOMPARE(vantrel::ui::chooseLanguage(uiLanguages), expected);
  }

  // What a fixed window shows must be whole: each caption within its
  // control, each line of the list's messages and summaries within the list,
  // the credit text within the Readme window.
  void textsFit_data() {
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("solveCaption");
    QTest::newRow("Simplified Chinese") << QString() << "开始计算";
    QTest::newRow("English") << "vantrel_en"
                             << "Solve";
    QTest::newRow("Traditional Chinese") << "vantrel_zh_TW"
                                         << "開始計算";
  }
  void textsFit() {
    QFETCH(QString, catalogue);
    QFETCH(QString, solveCaption);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "vantrel", "vantrel").clear();
    QTranslator translator;
    if (!catalogue.isEmpty()) {
      QVERIFY(translator.load(catalogue, QStringLiteral(":/vantrel/translations")));
      QCoreApplication::installTranslator(&translator);
    }
    auto window = vantrel::test::showMainWindow();
    QCOMPARE(control<QPushButton>(*window, "计算按钮")->text(), solveCaption);

    // A push button's size hint has a minimum width of its own: its caption
    // and margins are what must fit.
    for (const QPushButton* button : window->findChildren<QPushButton*>()) {
      const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      const int needed =
          QFontMetrics(button->font()).horizontalAdvance(button->text()) + 2 * margin;
      QVERIFY2(needed <= button->width(), qPrintable(button->text()));
    }
    const auto* check = control<QCheckBox>(*window, "窗口永远在上选择框");
    QVERIFY2(check->sizeHint().width() <= check->width(), qPrintable(check->text()));

    auto* list = control<QListWidget>(*window, "结果列表框");
    const auto lastLineFits = [&] {
      const QString line = listLines(*window).last();
      return QFontMetrics(list->font()).horizontalAdvance(line) <= list->viewport()->width();
    };
    for (const QStringList& hand :
         {QStringList{"1", "2", "3", "4"}, QStringList{"1", "1", "1", "1"},
          QStringList{"1", "", "3", "4"}}) {
      solve(*window, hand);
      QVERIFY2(lastLineFits(), qPrintable(listLines(*window).last()));
    }
    window->findChild<QAction*>(QStringLiteral("distinctAction"))->setChecked(true);
    solve(*window, {"1", "2", "3", "4"});
    QVERIFY2(lastLineFits(), qPrintable(listLines(*window).last()));

    vantrel::ui::ReadmeWindow readme(false);
    const auto* label = control<QLabel>(readme, "标签1");
    const QRect room = label->contentsRect().marginsRemoved(QMargins(8, 8, 8, 8));
    const QRect used =
        QFontMetrics(label->font()).boundingRect(room, Qt::TextWordWrap, label->text());
    QVERIFY2(room.contains(used), qPrintable(label->text()));
    QCOMPARE(label->text().count(QLatin1Char('\n')), 1);
    QCoreApplication::removeTranslator(&translator);
  }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
