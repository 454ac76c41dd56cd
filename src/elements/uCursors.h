#pragma once
// The cursor numbers scene objects carry (the values the toolkit's host maps to system cursors).

constexpr int crDefault = 0;
constexpr int crHandPoint = -21;
constexpr int crSizeAll = -22;
