// The mixed-load planner's parts, each against a brute-force model small
// enough to trust.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/mixed/free_space.h"

namespace varnel::mixed {
namespace {

// The unit cells of a square floor plan [0, side)²: an area cell by cell.
class cells {
public:
    explicit cells(length side) : side_(side), in_(static_cast<std::size_t>(side * side), 0) {}

    length side() const { return side_; }
    bool has(length x, length y) const {
        return x >= 0 && y >= 0 && x < side_ && y < side_ && in_[index(x, y)] != 0;
    }
    void set(length x, length y, bool on) { in_[index(x, y)] = on ? 1 : 0; }
    void add(const rect& r) {
        for (length x = r.x0; x < r.x1; ++x) {
            for (length y = r.y0; y < r.y1; ++y) set(x, y, true);
        }
    }
    bool holds(const rect& r) const {
        for (length x = r.x0; x < r.x1; ++x) {
            for (length y = r.y0; y < r.y1; ++y) {
                if (!has(x, y)) return false;
            }
        }
        return true;
    }

private:
    std::size_t index(length x, length y) const { return static_cast<std::size_t>(x * side_ + y); }

    length side_;
    std::vector<char> in_;
};

// A seeded draw from [0, n).
length below(std::mt19937& random, length n) {
    return static_cast<length>(random() % static_cast<std::uint64_t>(n));
}

bool holds(const rect& outer, const rect& inner) {
    return outer.x0 <= inner.x0 && inner.x1 <= outer.x1 && outer.y0 <= inner.y0 &&
           inner.y1 <= outer.y1;
}

std::string text(const rect& r) {
    return "[" + std::to_string(r.x0) + "," + std::to_string(r.x1) + ")x[" + std::to_string(r.y0) +
           "," + std::to_string(r.y1) + ")";
}

// `rs` are exactly the maximal rectangles of `area`: each lies in it and
// grows out of it by a unit on any side, none holds another, and together
// they cover every cell of it.
void expect_maximal_rectangles(const cells& area, const std::vector<rect>& rs,
                               const std::string& name) {
    for (std::size_t i = 0; i < rs.size(); ++i) {
        const rect& r = rs[i];
        EXPECT_TRUE(r.width() > 0 && r.depth() > 0 && area.holds(r)) << name << ": " << text(r);
        for (const rect& grown :
             {rect{r.x0 - 1, r.y0, r.x1, r.y1}, rect{r.x0, r.y0, r.x1 + 1, r.y1},
              rect{r.x0, r.y0 - 1, r.x1, r.y1}, rect{r.x0, r.y0, r.x1, r.y1 + 1}}) {
            EXPECT_FALSE(area.holds(grown))
                << name << ": " << text(r) << " grows to " << text(grown);
        }
        for (std::size_t j = 0; j < rs.size(); ++j) {
            EXPECT_FALSE(j != i && holds(rs[j], r))
                << name << ": " << text(rs[j]) << " holds " << text(r);
        }
    }
    for (length x = 0; x < area.side(); ++x) {
        for (length y = 0; y < area.side(); ++y) {
            const bool covered = std::any_of(rs.begin(), rs.end(), [x, y](const rect& r) {
                return r.x0 <= x && x < r.x1 && r.y0 <= y && y < r.y1;
            });
            EXPECT_EQ(covered, area.has(x, y)) << name << ": cell " << x << "," << y;
        }
    }
}

TEST(MixedParts, MaximalRectanglesCoverTheUnionExactly) {
    constexpr length side = 10;
    EXPECT_TRUE(maximal_rectangles({}).empty());
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        const auto draw = [&random](length n) { return below(random, n); };
        std::vector<rect> parts;
        cells area(side);
        for (length i = 0, n = 1 + draw(6); i < n; ++i) {
            const length x0 = draw(side), y0 = draw(side);
            parts.push_back({x0, y0, x0 + 1 + draw(side - x0), y0 + 1 + draw(side - y0)});
            area.add(parts.back());
        }
        expect_maximal_rectangles(area, maximal_rectangles(parts), "seed " + std::to_string(seed));
    }
}

// Cartons placed anywhere on a space the free space offers, some carrying
// what comes on them and some not. The model: per height, the cells of the
// floor or of carrying tops there, and the cells taken by cartons standing
// there. After every carton the spaces at each height are exactly the
// maximal rectangles of what is carrying and not taken.
TEST(MixedParts, FreeSpaceIsTheMaximalRectanglesOfEachHeightsFreeSurface) {
    constexpr length side = 12, roof = 10, highest = 8;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        std::mt19937 random(seed);
        const auto draw = [&random](length n) { return below(random, n); };
        free_space free({side, side, roof}, highest);
        std::vector<cells> carrying(roof + 1, cells(side)), taken(roof + 1, cells(side));
        const auto level = [](length z) { return static_cast<std::size_t>(z); };
        carrying[0].add({0, 0, side, side});
        for (int step = 0;; ++step) {
            const std::string name =
                "seed " + std::to_string(seed) + ", step " + std::to_string(step);
            std::vector<space> spaces;
            free.each_space(highest, [&spaces](const space& s) { spaces.push_back(s); });
            for (length z = 0; z <= highest; ++z) {
                cells open(side);
                for (length x = 0; x < side; ++x) {
                    for (length y = 0; y < side; ++y) {
                        open.set(x, y, carrying[level(z)].has(x, y) && !taken[level(z)].has(x, y));
                    }
                }
                std::vector<rect> at_z;
                for (const space& s : spaces) {
                    if (s.z == z) at_z.push_back(s.area);
                }
                expect_maximal_rectangles(open, at_z, name + ", height " + std::to_string(z));
            }
            for (const space& s : spaces) EXPECT_LE(s.z, highest) << name;
            if (HasFailure()) return;  // the first wrong step tells all
            if (spaces.empty() || step == 40) break;

            const space& s = spaces[static_cast<std::size_t>(draw(std::ssize(spaces)))];
            const length w = 1 + draw(s.area.width()), d = 1 + draw(s.area.depth());
            const length x0 = s.area.x0 + draw(s.area.width() - w + 1);
            const length y0 = s.area.y0 + draw(s.area.depth() - d + 1);
            const rect footprint{x0, y0, x0 + w, y0 + d};
            const length top = s.z + 1 + draw(std::min<length>(3, roof - s.z));
            free.occupy(footprint, s.z);
            taken[level(s.z)].add(footprint);
            if (draw(4) != 0) {
                free.add_top(footprint, top);
                carrying[level(top)].add(footprint);
            }
        }
    }
}

}  // namespace
}  // namespace varnel::mixed
