#pragma once

#include <cstdint>

namespace varnel {

// A 24-bit colour.
struct rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const rgb&) const = default;
};

// The one drawing surface of the load view. Coordinates are 1/1440 inch from
// the top-left corner of the area, y downward; every picture of the program
// is made of these lines alone.
class canvas {
public:
    virtual ~canvas() = default;

    // A solid line one pixel wide, over whatever is already there. Its last
    // pixel is left out: a zero-length line draws nothing, lines that meet
    // end to start set the shared pixel once, and a line's direction decides
    // which pixels it sets.
    virtual void draw_line(float x1, float y1, float x2, float y2, rgb colour) = 0;

    // Removes everything drawn since the last clear; the background picture
    // (the empty container) stays.
    virtual void clear_drawing() = 0;
};

}  // namespace varnel
