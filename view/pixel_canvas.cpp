#include "view/pixel_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace varnel {

namespace {

constexpr std::uint32_t packed(rgb c) {
    return 0xff000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) |
           std::uint32_t{c.blue};
}

// The clip box reaches two pixels beyond the area on every side, so a clipped
// end lands outside the area and what shows is the line's own pixels.
constexpr double clip_margin = 2.0;

// Where a point lies against the clip box, one bit a side.
enum outside : int { left_of = 1, right_of = 2, above = 4, below = 8 };

struct box {
    double x_min, y_min, x_max, y_max;

    int outcode(double x, double y) const {
        return (x < x_min ? left_of : 0) | (x > x_max ? right_of : 0) | (y < y_min ? above : 0) |
               (y > y_max ? below : 0);
    }
};

// Each round puts one end on one edge: four rounds clip any line, the others
// guard against rounding that leaves an end a hair outside.
constexpr int clip_rounds = 8;

// Cohen-Sutherland, with each new end put exactly on the edge it crosses and
// the other coordinate interpolated from the end that stays, which lies
// nearer the box: from the far end, a huge coordinate would cancel out. A
// level or upright line keeps its coordinate exactly however far its ends
// lie. Ends that rounding leaves a hair outside are pulled in, so what comes
// out is always within the box and costs at most one box-wide line to draw.
bool clip(double& x1, double& y1, double& x2, double& y2, const box& b) {
    for (int round = 0; round < clip_rounds; ++round) {
        const int c1 = b.outcode(x1, y1), c2 = b.outcode(x2, y2);
        if ((c1 | c2) == 0) return true;
        if ((c1 & c2) != 0) return false;
        const bool first_moves = c1 != 0;
        const int c = first_moves ? c1 : c2;
        double& mx = first_moves ? x1 : x2;
        double& my = first_moves ? y1 : y2;
        const double sx = first_moves ? x2 : x1, sy = first_moves ? y2 : y1;
        if (c & above) {
            mx = sx + (mx - sx) * ((b.y_min - sy) / (my - sy));
            my = b.y_min;
        } else if (c & below) {
            mx = sx + (mx - sx) * ((b.y_max - sy) / (my - sy));
            my = b.y_max;
        } else if (c & left_of) {
            my = sy + (my - sy) * ((b.x_min - sx) / (mx - sx));
            mx = b.x_min;
        } else {
            my = sy + (my - sy) * ((b.x_max - sx) / (mx - sx));
            mx = b.x_max;
        }
    }
    x1 = std::clamp(x1, b.x_min, b.x_max);
    y1 = std::clamp(y1, b.y_min, b.y_max);
    x2 = std::clamp(x2, b.x_min, b.x_max);
    y2 = std::clamp(y2, b.y_min, b.y_max);
    return true;
}

}  // namespace

pixel_canvas::pixel_canvas(int width, int height, rgb background)
    : width_(width),
      height_(height),
      background_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  packed(background)),
      pixels_(background_) {}

void pixel_canvas::draw_line(float x1, float y1, float x2, float y2, rgb colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    double px1 = static_cast<double>(x1) / units_per_pixel;
    double py1 = static_cast<double>(y1) / units_per_pixel;
    double px2 = static_cast<double>(x2) / units_per_pixel;
    double py2 = static_cast<double>(y2) / units_per_pixel;
    const box area{-clip_margin, -clip_margin, width_ - 1 + clip_margin, height_ - 1 + clip_margin};
    if (!clip(px1, py1, px2, py2, area)) return;
    const pixel_line line{static_cast<int>(std::lround(px1)), static_cast<int>(std::lround(py1)),
                          static_cast<int>(std::lround(px2)), static_cast<int>(std::lround(py2)),
                          packed(colour)};
    if (line == last_) return;
    last_ = line;
    plot(line);
}

// Bresenham from the first end up to, not including, the second.
void pixel_canvas::plot(pixel_line line) {
    int x = line.x1, y = line.y1;
    const int dx = std::abs(line.x2 - x), sx = x < line.x2 ? 1 : -1;
    const int dy = -std::abs(line.y2 - y), sy = y < line.y2 ? 1 : -1;
    int err = dx + dy;
    while (x != line.x2 || y != line.y2) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) {
            pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x)] = line.colour;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void pixel_canvas::clear_drawing() {
    pixels_ = background_;
    last_.reset();
}

void pixel_canvas::keep_as_background() {
    background_ = pixels_;
    last_.reset();
}

rgb pixel_canvas::pixel(int x, int y) const {
    const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                    static_cast<std::size_t>(x)];
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
            static_cast<std::uint8_t>(p)};
}

}  // namespace varnel
