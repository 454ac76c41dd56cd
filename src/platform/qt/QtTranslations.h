#pragma once
// Qt's own texts (the buttons and labels of the file, colour and font dialogs, the standard
// buttons of message boxes) in Chinese, to match the rest of the program.

#include <QLocale>
#include <QTranslator>

#include <memory>

// The locale whose Qt translations are loaded: the system's when it is a Chinese one (Traditional
// stays Traditional), else Simplified Chinese, since the whole interface is Chinese.
QLocale DialogLocale(const QLocale& system);

// Qt's "qtbase" translation for DialogLocale(system), from Qt's translations folder (Debian's
// qt6-translations-l10n) or a "translations" folder beside the executable (a deployed Windows
// folder). Null when none is found; the dialogs then speak English.
std::unique_ptr<QTranslator> LoadQtTranslations(const QLocale& system);
