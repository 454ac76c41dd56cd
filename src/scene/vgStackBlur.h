#pragma once
// The stack blur behind the glow: a triangular kernel of radius r (the pixel k away weighs
// r + 1 - |k|), all four premultiplied channels, edge pixels repeated, sums divided by (r + 1)^2
// with truncation. A running sum keeps the cost per pixel the same whatever the radius.

#include <QImage>

// Blurs an image in Format_ARGB32_Premultiplied in place; radius <= 0 leaves it unchanged. Other
// formats are converted first and written back in premultiplied form.
void StackBlur(QImage& image, int radius);
