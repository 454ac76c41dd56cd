#pragma once
// The text forms of numbers and Booleans in the data files. Readers are strict: a text that does
// not convert raises EConvertError, so a damaged entry is reported instead of guessed at.

#include <QString>

// Decimal digits with an optional sign; surrounding blanks are allowed.
int TextToInteger(const QString& text);
// "true" or "false" in any letter case, or an integer (0 is false, anything else true).
bool TextToBoolean(const QString& text);
QString IntegerToText(int value);
// Always lower case, as the files are written.
QString BooleanToText(bool value);
