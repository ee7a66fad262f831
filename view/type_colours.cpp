#include "view/type_colours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace varnel {

namespace {

double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t channel_of(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

// Hue in degrees, saturation and value from 0 to 1.
rgb from_hsv(double hue, double saturation, double value) {
    const double c = value * saturation;
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    const double m = value - c;
    const std::array<std::array<double, 3>, 6> sector{
        {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}}};
    const auto& s = sector[static_cast<std::size_t>(std::min(5.0, std::floor(h)))];
    return {channel_of(s[0] + m), channel_of(s[1] + m), channel_of(s[2] + m)};
}

// The `knob` in [low, high] whose colour meets `target` luminance, by
// halving: luminance grows with value (`rising`), and at full value falls as
// saturation grows.
template <typename Colour>
double reach(double target, double low, double high, bool rising, Colour colour) {
    for (int i = 0; i < 40; ++i) {
        const double mid = (low + high) / 2;
        if ((luminance(colour(mid)) < target) == rising) {
            low = mid;
        } else {
            high = mid;
        }
    }
    return low;
}

}  // namespace

double luminance(rgb c) {
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

rgb type_colour(std::size_t index) {
    // Hues a golden angle apart never repeat and keep neighbours far apart;
    // three grey levels in turn keep neighbours apart in print. The lightest
    // level still reads on white.
    constexpr std::array<double, 3> levels{0.07, 0.16, 0.27};
    constexpr double saturation = 0.85;
    const double hue = std::fmod(210.0 + 137.508 * static_cast<double>(index % 1000), 360.0);
    const double target = levels[index % levels.size()];
    if (luminance(from_hsv(hue, saturation, 1.0)) >= target) {
        const double value =
            reach(target, 0.0, 1.0, true, [&](double v) { return from_hsv(hue, saturation, v); });
        return from_hsv(hue, saturation, value);
    }
    // Blues and violets are too dark even at full value: less saturation.
    const double s =
        reach(target, 0.0, saturation, false, [&](double k) { return from_hsv(hue, k, 1.0); });
    return from_hsv(hue, s, 1.0);
}

rgb lighter(rgb c, double share) {
    const auto mix = [share](std::uint8_t v) {
        return channel_of((v + (255.0 - v) * share) / 255.0);
    };
    return {mix(c.red), mix(c.green), mix(c.blue)};
}

}  // namespace varnel
