#include <gtest/gtest.h>

#include <cmath>

#include "vgEasing.h"

namespace {

constexpr TvgInterpolationType AllInterpolations[] = {
    vgInterpolationLinear,  vgInterpolationQuadratic,  vgInterpolationCubic,       vgInterpolationQuartic,
    vgInterpolationQuintic, vgInterpolationSinusoidal, vgInterpolationExponential, vgInterpolationCircular,
    vgInterpolationElastic, vgInterpolationBack,       vgInterpolationBounce};
constexpr TvgAnimationType AllTypes[] = {vgAnimationIn, vgAnimationOut, vgAnimationInOut};

double E(TvgInterpolationType i, TvgAnimationType a, double t, double d = 1.0) {
    return InterpolateValue(i, a, t, 0, 1, d);
}

TEST(vgEasing, EveryCurveRunsFromBeginToBeginPlusChange) {
    for (auto i : AllInterpolations)
        for (auto a : AllTypes) {
            EXPECT_NEAR(InterpolateValue(i, a, 0, 3, 5, 0.6), 3, 1e-3) << int(i) << "/" << int(a);
            EXPECT_NEAR(InterpolateValue(i, a, 0.6, 3, 5, 0.6), 8, 1e-3) << int(i) << "/" << int(a);
        }
}

TEST(vgEasing, OutIsInMirroredAndInOutIsPointSymmetric) {
    // Out(t) = 1 - In(d - t) holds for every family, elastic included (its phase shift is half a
    // period); InOut(t) = 1 - InOut(d - t) for all but elastic, whose halves use different phases.
    for (auto i : AllInterpolations)
        for (double t = 0.0; t <= 2.0; t += 0.0625) {
            EXPECT_NEAR(E(i, vgAnimationOut, t, 2.0), 1 - E(i, vgAnimationIn, 2.0 - t, 2.0), 1e-9)
                << int(i) << " t=" << t;
            if (i != vgInterpolationElastic) {
                EXPECT_NEAR(E(i, vgAnimationInOut, t, 2.0), 1 - E(i, vgAnimationInOut, 2.0 - t, 2.0), 1e-9)
                    << int(i) << " t=" << t;
            }
        }
}

TEST(vgEasing, KnownValuesOfThePolynomialFamilies) {
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuadratic, vgAnimationIn, 0.5), 0.25);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuadratic, vgAnimationOut, 0.5), 0.75);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuadratic, vgAnimationInOut, 0.25), 0.125);
    EXPECT_DOUBLE_EQ(E(vgInterpolationCubic, vgAnimationIn, 0.5), 0.125);
    EXPECT_DOUBLE_EQ(E(vgInterpolationCubic, vgAnimationInOut, 0.75), 0.9375);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuartic, vgAnimationOut, 0.5), 0.9375);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuartic, vgAnimationInOut, 0.75), 0.96875);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuintic, vgAnimationOut, 0.5), 0.96875);
    EXPECT_DOUBLE_EQ(E(vgInterpolationQuintic, vgAnimationInOut, 0.25), 0.5 * std::pow(0.5, 5));
    // Linear ignores the animation type.
    for (auto a : AllTypes) EXPECT_DOUBLE_EQ(E(vgInterpolationLinear, a, 0.3), 0.3);
}

TEST(vgEasing, KnownValuesOfTheTranscendentalFamilies) {
    EXPECT_NEAR(E(vgInterpolationSinusoidal, vgAnimationIn, 0.5), 1 - std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(E(vgInterpolationSinusoidal, vgAnimationInOut, 0.5), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(E(vgInterpolationExponential, vgAnimationIn, 0.5), 1.0 / 32);
    EXPECT_DOUBLE_EQ(E(vgInterpolationExponential, vgAnimationOut, 0.5), 1 - 1.0 / 32);
    EXPECT_DOUBLE_EQ(E(vgInterpolationExponential, vgAnimationInOut, 0.25), 0.5 / 32);
    EXPECT_NEAR(E(vgInterpolationCircular, vgAnimationIn, 0.6), 0.2, 1e-12);
    EXPECT_NEAR(E(vgInterpolationCircular, vgAnimationOut, 0.4), 0.8, 1e-12);
    EXPECT_NEAR(E(vgInterpolationCircular, vgAnimationInOut, 0.3), 0.1, 1e-12);
}

TEST(vgEasing, ElasticUsesPeriodsOfPointThreeAndPointFourFiveDurations) {
    EXPECT_NEAR(E(vgInterpolationElastic, vgAnimationOut, 0.5), 1.015625, 1e-12);
    EXPECT_NEAR(E(vgInterpolationElastic, vgAnimationIn, 0.5), -0.015625, 1e-12);
    EXPECT_NEAR(E(vgInterpolationElastic, vgAnimationInOut, 0.25), 0.011969444423734025, 1e-12);
    EXPECT_NEAR(E(vgInterpolationElastic, vgAnimationInOut, 0.75), 1 - 0.011969444423734025, 1e-12);
    // The period scales with the duration, so the curve's shape does not depend on it.
    EXPECT_NEAR(E(vgInterpolationElastic, vgAnimationOut, 1.5, 3.0), 1.015625, 1e-12);
}

TEST(vgEasing, BackOvershootsBelowZeroAndAboveOne) {
    EXPECT_LT(E(vgInterpolationBack, vgAnimationIn, 0.3), 0);
    EXPECT_GT(E(vgInterpolationBack, vgAnimationOut, 0.7), 1);
    EXPECT_NEAR(E(vgInterpolationBack, vgAnimationIn, 0.5), -0.0876975, 1e-7);
    // The InOut half uses the stronger s = 1.70158 * 1.525.
    const double s = 1.70158 * 1.525;
    EXPECT_NEAR(E(vgInterpolationBack, vgAnimationInOut, 0.25), 0.5 * 0.25 * ((s + 1) * 0.5 - s), 1e-12);
}

TEST(vgEasing, BounceBandsAndTheSecondThreshold) {
    // 0.73 is still in the second band, whose bound is 0.7352941176470589 rather than 2 / 2.75.
    const double u = 0.73;
    EXPECT_NEAR(E(vgInterpolationBounce, vgAnimationOut, u), 7.5625 * std::pow(u - 1.5 / 2.75, 2) + 0.75,
                1e-12);
    const double v = 0.74;
    EXPECT_NEAR(E(vgInterpolationBounce, vgAnimationOut, v), 7.5625 * std::pow(v - 2.25 / 2.75, 2) + 0.9375,
                1e-12);
    EXPECT_NEAR(E(vgInterpolationBounce, vgAnimationOut, 0.2), 7.5625 * 0.04, 1e-12);
    EXPECT_NEAR(E(vgInterpolationBounce, vgAnimationOut, 0.95),
                7.5625 * std::pow(0.95 - 2.625 / 2.75, 2) + 0.984375, 1e-12);
    EXPECT_NEAR(E(vgInterpolationBounce, vgAnimationInOut, 0.25),
                0.5 * (1 - E(vgInterpolationBounce, vgAnimationOut, 0.5)), 1e-12);
}

TEST(vgEasing, ColourBlendsEachChannelWithTruncation) {
    EXPECT_EQ(InterpolateColor(0xFF505050u, 0xFF707070u, 0.5), 0xFF606060u);
    EXPECT_EQ(InterpolateColor(0xFF505050u, 0xFF707070u, 0.0), 0xFF505050u);
    EXPECT_EQ(InterpolateColor(0xFF505050u, 0xFF707070u, 1.0), 0xFF707070u);
    // Downward steps truncate towards zero: -32 * 0.33 = -10.56 moves by 10, not 11.
    EXPECT_EQ(InterpolateColor(0x00000070u, 0x00000050u, 0.33), 0x00000066u);
    // Channels are independent: alpha falls while red rises.
    EXPECT_EQ(InterpolateColor(0xFF000000u, 0x00FF0000u, 0.5), 0x807F0000u);
}

TEST(vgEasing, OvershootingColourChannelsWrapWithinEightBits) {
    // 0xF0 + Trunc(15 * 2) = 0x10E, kept as 0x0E; the other channels move without carrying over.
    EXPECT_EQ(InterpolateColor(0xF0000010u, 0xFF000020u, 2.0), 0x0E000030u);
    // Below zero wraps too: 0x10 + Trunc(-16 * 2) = -16, kept as 0xF0.
    EXPECT_EQ(InterpolateColor(0x00100000u, 0x00000000u, 2.0), 0x00F00000u);
}

}  // namespace
