#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "view/canvas.h"

namespace varnel {

inline constexpr int units_per_pixel = 15;

// A canvas that keeps its drawing as pixels, one image the size of the area:
// memory stays fixed whatever a plan file asks to draw, and repainting the
// window costs one copy. Lines are clipped to the area first, so end points
// far outside any screen cost no more than short lines.
class pixel_canvas final : public canvas {
public:
    pixel_canvas(int width, int height, rgb background);

    void draw_line(float x1, float y1, float x2, float y2, rgb colour) override;
    void clear_drawing() override;

    // What is drawn now becomes the background picture that clearing keeps.
    void keep_as_background();

    int width() const { return width_; }
    int height() const { return height_; }
    rgb pixel(int x, int y) const;

    // Rows top to bottom, each pixel 0xffRRGGBB.
    const std::uint32_t* data() const { return pixels_.data(); }

private:
    struct pixel_line {
        int x1, y1, x2, y2;
        std::uint32_t colour;
        bool operator==(const pixel_line&) const = default;
    };

    void plot(pixel_line line);

    int width_;
    int height_;
    std::vector<std::uint32_t> background_;
    std::vector<std::uint32_t> pixels_;
    // A dense grid repeats the same pixel line many times over (a count of
    // 32767 on a face a few hundred pixels wide); each repeat is skipped.
    std::optional<pixel_line> last_;
};

}  // namespace varnel
