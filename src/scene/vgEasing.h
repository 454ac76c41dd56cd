#pragma once
// The easing curves of the animations and the per-channel colour blend. Pure functions: the
// animation objects and the tests share them, and nothing here touches the scene.

#include <QObject>

#include <cstdint>

namespace vgAnimationEnums {
Q_NAMESPACE

enum TvgAnimationType { vgAnimationIn = 0, vgAnimationOut = 1, vgAnimationInOut = 2 };
Q_ENUM_NS(TvgAnimationType)

enum TvgInterpolationType {
    vgInterpolationLinear = 0,
    vgInterpolationQuadratic = 1,
    vgInterpolationCubic = 2,
    vgInterpolationQuartic = 3,
    vgInterpolationQuintic = 4,
    vgInterpolationSinusoidal = 5,
    vgInterpolationExponential = 6,
    vgInterpolationCircular = 7,
    vgInterpolationElastic = 8,
    vgInterpolationBack = 9,
    vgInterpolationBounce = 10
};
Q_ENUM_NS(TvgInterpolationType)
}  // namespace vgAnimationEnums

using vgAnimationEnums::TvgAnimationType;
using vgAnimationEnums::TvgInterpolationType;
using enum vgAnimationEnums::TvgAnimationType;
using enum vgAnimationEnums::TvgInterpolationType;

// The classic easing equations with begin b, change c and duration d, evaluated at time t.
double InterpolateValue(TvgInterpolationType interpolation, TvgAnimationType animationType, double t,
                        double b, double c, double d);

// Each 8-bit channel (alpha, red, green, blue) moves by Trunc((stop - start) * progress) and wraps
// within 8 bits, so an overshooting curve wraps instead of saturating.
std::uint32_t InterpolateColor(std::uint32_t start, std::uint32_t stop, double progress);
