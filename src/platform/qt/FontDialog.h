#pragma once
// The font dialog: Qt's font chooser with a colour button beside it, since the program keeps the
// text colour together with the font and Qt's chooser has no colour of its own.

#include <QFont>

#include "IPlatform.h"

// Modal; false when cancelled, leaving AFont as given.
bool RunFontDialog(TDialogFont& AFont);

// The chooser lists installed faces only: a family the program names through a substitution
// ("宋体" → Noto Serif CJK SC) opens on the face that stands in for it, at the font's size.
QFont ToChooserFont(const TDialogFont& AFont);
// The family the note keeps: its own name when the user stayed on the face that stood in for it,
// so the notes file keeps meaning the same font on every system.
QString FromChooserFamily(const QString& chosen, const QString& given);
