#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "engine/single/layer_raster.h"

namespace varnel {

// The L-approach (Lins, Lins & Morabito 2003): a rectangle, and every
// L-shaped piece cut from it, is divided into two pieces, each an L or a
// rectangle, along a straight line, a line with one bend round the L's
// inner corner, or a line with a bend from that corner; rectangles also
// into an L and the rectangle of the corner it lacks, and into two L's
// along a line with two bends. Rectangles take at least the value the
// five-block search gave them. An L(X, Y, x, y) of raster points is
// [0, X] x [0, y] joined with [0, x] x [0, Y]; its pieces are placed in it
// mirrored where that makes them such an L.
class l_search {
public:
    l_search(layer_raster& r, rect_values& rects) : r_(r), rects_(rects) {}

    // The space's value, searched from `known` upwards while the family
    // can beat it, up to `bound`.
    std::int32_t run(std::int32_t known, std::int64_t bound);
    // The pattern found, in the layer's frame.
    void emit(std::vector<rect_grid>& out) const;

private:
    struct shape {
        int X = 0, Y = 0, x = 0, y = 0;  // x == X: the rectangle X x Y
    };
    struct piece {
        shape s;
        units u = 0, v = 0, w = 0, h = 0;  // the region it stands in
        bool mirror_u = false, mirror_v = false;
    };
    // What is known of a piece: a division reaching `lo`, and `hi`, above
    // which no division of the family reaches.
    struct entry {
        std::int32_t lo = 0, hi = 0;
        std::int32_t family = -1;  // -1: the five-block search's rectangle
        int a = 0, b = 0, c = 0;
    };
    using division = std::array<piece, 2>;

    static shape rect_shape(int X, int Y) { return {X, Y, X, Y}; }
    shape normal(shape s) const;
    std::uint64_t key(const shape& s) const;
    std::int32_t bound(const shape& s);
    entry& known(const shape& s);
    std::int32_t lo(const shape& s);
    std::int32_t hi(const shape& s);
    bool reach(const shape& s, std::int32_t t);
    bool divide(const shape& s, entry& e, std::int32_t t);
    bool attempt(const shape& s, int family, int a, int b, int c, entry& e, std::int32_t t);
    division pieces(const shape& s, int family, int a, int b, int c) const;
    void emit_shape(const shape& s, const flip& f, std::vector<rect_grid>& out) const;

    // Shapes by key, open addressing into entries that never move, so a
    // reference to one stays valid while the search below it adds more.
    class table {
    public:
        entry* find(std::uint64_t key);
        const entry* find(std::uint64_t key) const;
        std::pair<entry*, bool> add(std::uint64_t key);
        std::size_t size() const { return entries_.size(); }

    private:
        std::size_t slot(std::uint64_t key) const;
        std::vector<std::uint64_t> keys_ = std::vector<std::uint64_t>(1024, 0);
        std::vector<std::uint32_t> at_ = std::vector<std::uint32_t>(1024, 0);
        std::deque<entry> entries_;
    };

    layer_raster& r_;
    rect_values& rects_;
    table memo_;
};

}  // namespace varnel
