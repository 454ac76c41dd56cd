#include "vgEasing.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
// The second bounce band ends here rather than at 2/2.75; the curve is kept as it always was.
constexpr double BounceSecondThreshold = 0.7352941176470589;

double Quadratic(TvgAnimationType type, double t, double b, double c, double d) {
    switch (type) {
        case vgAnimationIn: {
            const double u = t / d;
            return c * u * u + b;
        }
        case vgAnimationOut: {
            const double u = t / d;
            return -c * u * (u - 2) + b;
        }
        case vgAnimationInOut: {
            double u = t / (d / 2);
            if (u < 1) return c / 2 * u * u + b;
            u -= 1;
            return -c / 2 * (u * (u - 2) - 1) + b;
        }
    }
    return b;
}

// Cubic, quartic and quintic share one shape; only the power and the sign of the tail differ.
double Power(int n, TvgAnimationType type, double t, double b, double c, double d) {
    const double sign = (n % 2 == 1) ? 1.0 : -1.0;
    switch (type) {
        case vgAnimationIn:
            return c * std::pow(t / d, n) + b;
        case vgAnimationOut: {
            const double u = t / d - 1;
            return sign * c * (std::pow(u, n) + sign) + b;
        }
        case vgAnimationInOut: {
            double u = t / (d / 2);
            if (u < 1) return c / 2 * std::pow(u, n) + b;
            u -= 2;
            return sign * c / 2 * (std::pow(u, n) + 2 * sign) + b;
        }
    }
    return b;
}

double Sinusoidal(TvgAnimationType type, double t, double b, double c, double d) {
    switch (type) {
        case vgAnimationIn:
            return -c * std::cos(t / d * (Pi / 2)) + c + b;
        case vgAnimationOut:
            return c * std::sin(t / d * (Pi / 2)) + b;
        case vgAnimationInOut:
            return -c / 2 * (std::cos(Pi * t / d) - 1) + b;
    }
    return b;
}

double Exponential(TvgAnimationType type, double t, double b, double c, double d) {
    switch (type) {
        case vgAnimationIn:
            return t == 0 ? b : c * std::pow(2.0, 10 * (t / d - 1)) + b;
        case vgAnimationOut:
            return t == d ? b + c : c * (1 - std::pow(2.0, -10 * t / d)) + b;
        case vgAnimationInOut: {
            if (t == 0) return b;
            if (t == d) return b + c;
            const double u = t / (d / 2);
            if (u < 1) return c / 2 * std::pow(2.0, 10 * (u - 1)) + b;
            return c / 2 * (2 - std::pow(2.0, -10 * (u - 1))) + b;
        }
    }
    return b;
}

double Circular(TvgAnimationType type, double t, double b, double c, double d) {
    switch (type) {
        case vgAnimationIn: {
            const double u = t / d;
            return -c * (std::sqrt(1 - u * u) - 1) + b;
        }
        case vgAnimationOut: {
            const double u = t / d - 1;
            return c * std::sqrt(1 - u * u) + b;
        }
        case vgAnimationInOut: {
            double u = t / (d / 2);
            if (u < 1) return -c / 2 * (std::sqrt(1 - u * u) - 1) + b;
            u -= 2;
            return c / 2 * (std::sqrt(1 - u * u) + 1) + b;
        }
    }
    return b;
}

double Elastic(TvgAnimationType type, double t, double b, double c, double d) {
    const double a = c;
    switch (type) {
        case vgAnimationIn: {
            if (t == 0) return b;
            if (t / d == 1) return b + c;
            const double p = d * 0.3;
            const double s = p / 4;
            const double u = t / d - 1;
            return -(a * std::pow(2.0, 10 * u) * std::sin((u * d - s) * (2 * Pi) / p)) + b;
        }
        case vgAnimationOut: {
            if (t == 0) return b;
            if (t / d == 1) return b + c;
            const double p = d * 0.3;
            const double s = p / 4;
            return a * std::pow(2.0, -10 * t / d) * std::sin((t - s) * (2 * Pi) / p) + c + b;
        }
        case vgAnimationInOut: {
            if (t == 0) return b;
            const double u = t / (d / 2);
            if (u == 2) return b + c;
            const double p = d * 0.45;
            const double s = p / 4;
            const double w = u - 1;
            if (w < 0) return -0.5 * a * std::pow(2.0, 10 * w) * std::sin((w * d - s) * (2 * Pi) / p) + b;
            return a * std::pow(2.0, -10 * w) * std::sin((w * d - s) * (2 * Pi) / p) * 0.5 + c + b;
        }
    }
    return b;
}

double Back(TvgAnimationType type, double t, double b, double c, double d) {
    double s = 1.70158;
    switch (type) {
        case vgAnimationIn: {
            const double u = t / d;
            return c * u * u * ((s + 1) * u - s) + b;
        }
        case vgAnimationOut: {
            const double u = t / d - 1;
            return c * (u * u * ((s + 1) * u + s) + 1) + b;
        }
        case vgAnimationInOut: {
            s *= 1.525;
            double u = t / (d / 2);
            if (u < 1) return c / 2 * (u * u * ((s + 1) * u - s)) + b;
            u -= 2;
            return c / 2 * (u * u * ((s + 1) * u + s) + 2) + b;
        }
    }
    return b;
}

double BounceOut(double t, double b, double c, double d) {
    double u = t / d;
    if (u < 1 / 2.75) return c * (7.5625 * u * u) + b;
    if (u < BounceSecondThreshold) {
        u -= 1.5 / 2.75;
        return c * (7.5625 * u * u + 0.75) + b;
    }
    if (u < 2.5 / 2.75) {
        u -= 2.25 / 2.75;
        return c * (7.5625 * u * u + 0.9375) + b;
    }
    u -= 2.625 / 2.75;
    return c * (7.5625 * u * u + 0.984375) + b;
}

double BounceIn(double t, double b, double c, double d) {
    return c - BounceOut(d - t, 0, c, d) + b;
}

double Bounce(TvgAnimationType type, double t, double b, double c, double d) {
    switch (type) {
        case vgAnimationIn:
            return BounceIn(t, b, c, d);
        case vgAnimationOut:
            return BounceOut(t, b, c, d);
        case vgAnimationInOut:
            if (t < d / 2) return BounceIn(t * 2, 0, c, d) * 0.5 + b;
            return BounceOut(t * 2 - d, 0, c, d) * 0.5 + c * 0.5 + b;
    }
    return b;
}

std::uint32_t BlendChannel(std::uint32_t start, std::uint32_t stop, double progress) {
    const double delta = (static_cast<double>(stop) - static_cast<double>(start)) * progress;
    const auto moved = static_cast<std::int64_t>(start) + static_cast<std::int64_t>(std::trunc(delta));
    return static_cast<std::uint32_t>(moved) & 0xFFu;
}

}  // namespace

double InterpolateValue(TvgInterpolationType interpolation, TvgAnimationType animationType, double t,
                        double b, double c, double d) {
    switch (interpolation) {
        case vgInterpolationLinear:
            return c * t / d + b;
        case vgInterpolationQuadratic:
            return Quadratic(animationType, t, b, c, d);
        case vgInterpolationCubic:
            return Power(3, animationType, t, b, c, d);
        case vgInterpolationQuartic:
            return Power(4, animationType, t, b, c, d);
        case vgInterpolationQuintic:
            return Power(5, animationType, t, b, c, d);
        case vgInterpolationSinusoidal:
            return Sinusoidal(animationType, t, b, c, d);
        case vgInterpolationExponential:
            return Exponential(animationType, t, b, c, d);
        case vgInterpolationCircular:
            return Circular(animationType, t, b, c, d);
        case vgInterpolationElastic:
            return Elastic(animationType, t, b, c, d);
        case vgInterpolationBack:
            return Back(animationType, t, b, c, d);
        case vgInterpolationBounce:
            return Bounce(animationType, t, b, c, d);
    }
    return b;
}

std::uint32_t InterpolateColor(std::uint32_t start, std::uint32_t stop, double progress) {
    std::uint32_t result = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const std::uint32_t channel =
            BlendChannel((start >> shift) & 0xFFu, (stop >> shift) & 0xFFu, progress);
        result |= channel << shift;
    }
    return result;
}
