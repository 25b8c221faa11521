#pragma once

#include <QStringList>

class QCoreApplication;

namespace vantrel::ui {

// The languages of the windows. Simplified Chinese is the language of the
// source texts; the others come from the catalogues built into the program.
enum class Language { SimplifiedChinese, TraditionalChinese, English };

// The language for the user's preferred languages, most preferred first, as
// QLocale::system().uiLanguages() gives them (from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG): the first of them that is Chinese or English
// decides, Traditional Chinese for zh_TW, zh_HK, zh_MO and zh_Hant*, and
// Simplified Chinese for the other Chinese ones. The C and POSIX locales,
// which choose no language, give Simplified Chinese; any other language
// gives English, the one most of their speakers read.
Language chooseLanguage(const QStringList& uiLanguages);

// Installs the program's catalogue for the language, and Qt's own for its
// buttons and menus where Debian's qt6-translations-l10n has put them.
void installTranslations(QCoreApplication& application, Language language);

}  // namespace vantrel::ui
