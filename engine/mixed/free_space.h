#pragma once

// The free space of a load where every carton stands wholly on the floor or
// on tops at its height. Then nothing hangs over an empty place, so the room
// above any carrying surface is empty up to the roof: the free space is the
// carrying surfaces alone. They are kept per height as the maximal
// rectangles of what is left of them (the maximal spaces of Parreño et al.
// 2008, "A maximal-space algorithm for the container loading problem",
// INFORMS JoC 20:412-422, each resting on the floor or on cartons' tops);
// tops at one height that meet make one surface.

#include <cstddef>
#include <vector>

#include "engine/mixed/cargo.h"

namespace varnel::mixed {

// A rectangle of the floor plan, [x0, x1) x [y0, y1).
struct rect {
    length x0 = 0, x1 = 0, y0 = 0, y1 = 0;

    length width() const { return x1 - x0; }
    length depth() const { return y1 - y0; }
    bool operator==(const rect&) const = default;
};

// A free box: a carrying rectangle at height z and the room above it.
struct space {
    rect area;
    length z = 0;
};

// What a change to the free space went through, for the caller to count as
// work: the surfaces of every height it passed over, those of its height it
// cut or joined, and those it made there.
struct surface_work {
    std::size_t surfaces = 0;
    std::size_t at_height = 0;
    std::size_t made = 0;
};

class free_space {
public:
    // Surfaces higher than `highest` take no carton and are not kept.
    free_space(const extent& container, length highest);

    // Calls `visit` with every maximal free rectangle up to height
    // `highest`, but those found unusable.
    template <typename Visit>
    void each_space(length highest, Visit&& visit) const {
        for (const surface& s : surfaces_) {
            if (!s.retired && s.at.z <= highest) visit(s.at);
        }
    }

    // A carton's base takes `footprint` at height z, within one of its
    // spaces; a carrying top at height z.
    surface_work occupy(const rect& footprint, length z);
    surface_work add_top(const rect& top, length z);
    // Nothing will ever fit in `s` or any part of it.
    void retire(const space& s);

private:
    struct surface {
        space at;
        bool retired = false;  // nothing fits in it, nor in any part of it
    };
    // Moves the surfaces at height z to `out`, in their order.
    void take_level(length z, std::vector<surface>& out);

    length highest_ = 0;
    std::vector<surface> surfaces_;  // every height's, in order of making
    // One height's surfaces while they are cut or joined, empty between
    // calls so that copies carry none: kept to save allocating them on every
    // placement.
    std::vector<surface> level_, next_;
};

// The maximal rectangles of a union of rectangles.
std::vector<rect> maximal_rectangles(const std::vector<rect>& parts);

}  // namespace varnel::mixed
