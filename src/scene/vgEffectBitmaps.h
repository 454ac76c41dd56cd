#pragma once
// The pixel work of the glow and reflection effects, on premultiplied ARGB images. Kept apart from
// the effect objects so that it can be tested and measured without a scene.

#include <QImage>

#include <cstdint>

// Glow margin and blur radius for a softness: the halo reaches Trunc(s * 23) + 4 units beyond the
// object and is blurred with radius Trunc(s * 10 + 5).
int GlowMargin(float softness);
int GlowBlurRadius(float softness);

// Turns the picture of an object into its halo: coverage recoloured to `glowColor` (ARGB) at
// `opacity`, blurred, then cut out where the object itself is opaque.
void GlowBitmap(QImage& image, std::uint32_t glowColor, float opacity, int blurRadius);

// Turns the picture of an object into its mirror image that fades out after `length` of its height,
// starting at `opacity` directly under the object.
void ReflectBitmap(QImage& image, float length, float opacity);
