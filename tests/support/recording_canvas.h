#pragma once

#include <vector>

#include "view/canvas.h"

namespace varnel {

struct recorded_line {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    rgb colour;

    bool operator==(const recorded_line&) const = default;
};

// A canvas that remembers the lines drawn since the last clear, for tests
// that check exact end points and colours. It grows with every line, so it
// is meant for the plans a test builds, not for arbitrary files.
class recording_canvas final : public canvas {
public:
    void draw_line(float x1, float y1, float x2, float y2, rgb colour) override {
        lines_.push_back({x1, y1, x2, y2, colour});
    }

    void clear_drawing() override {
        lines_.clear();
        ++clear_count_;
    }

    const std::vector<recorded_line>& lines() const { return lines_; }
    int clear_count() const { return clear_count_; }

private:
    std::vector<recorded_line> lines_;
    int clear_count_ = 0;
};

}  // namespace varnel
