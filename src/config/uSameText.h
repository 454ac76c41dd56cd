#pragma once
// Button names are equal when they have the same length and the same characters, the letters
// A to Z matched regardless of case; every other character, Chinese included, must match exactly.

#include <QString>

bool SameText(const QString& a, const QString& b);
