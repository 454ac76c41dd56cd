#pragma once
// The font dialog: Qt's font chooser with a colour button beside it, since the program keeps the
// text colour together with the font and Qt's chooser has no colour of its own.

#include "IPlatform.h"

// Modal; false when cancelled, leaving AFont as given.
bool RunFontDialog(TDialogFont& AFont);
