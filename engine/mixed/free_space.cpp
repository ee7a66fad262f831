#include "engine/mixed/free_space.h"

#include <algorithm>

namespace varnel::mixed {

namespace {

bool meets(const rect& a, const rect& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool holds(const rect& outer, const rect& inner) {
    return outer.x0 <= inner.x0 && inner.x1 <= outer.x1 && outer.y0 <= inner.y0 &&
           inner.y1 <= outer.y1;
}

std::vector<length> edges(const std::vector<rect>& parts, bool along_x) {
    std::vector<length> v;
    for (const rect& r : parts) {
        v.push_back(along_x ? r.x0 : r.y0);
        v.push_back(along_x ? r.x1 : r.y1);
    }
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

// Appends to `out` the rectangles of `rs` none of the others holds; of two
// equal ones the first, retired when either is.
template <typename Surface>
void keep_maximal(const std::vector<Surface>& rs, std::vector<Surface>& out) {
    for (std::size_t i = 0; i < rs.size(); ++i) {
        bool held = false;
        bool retired = rs[i].retired;
        for (std::size_t j = 0; j < rs.size() && !held; ++j) {
            if (j == i || !holds(rs[j].at.area, rs[i].at.area)) continue;
            if (rs[j].at.area != rs[i].at.area) {
                held = true;
            } else if (j < i) {
                held = true;
            } else {
                retired = retired || rs[j].retired;
            }
        }
        if (!held) {
            out.push_back(rs[i]);
            out.back().retired = retired;
        }
    }
}

}  // namespace

std::vector<rect> maximal_rectangles(const std::vector<rect>& parts) {
    const std::vector<length> xs = edges(parts, true), ys = edges(parts, false);
    if (xs.size() < 2 || ys.size() < 2) return {};
    const std::size_t nx = xs.size() - 1, ny = ys.size() - 1;
    // covered[i][j]: cell i across, j along lies in a part; sums[i] counts
    // the covered cells of column i below each j, for whole runs at once.
    std::vector<char> covered(nx * ny, 0);
    for (const rect& r : parts) {
        const auto at = [](const std::vector<length>& v, length l) {
            return static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), l) - v.begin());
        };
        for (std::size_t i = at(xs, r.x0); i < at(xs, r.x1); ++i) {
            for (std::size_t j = at(ys, r.y0); j < at(ys, r.y1); ++j) covered[i * ny + j] = 1;
        }
    }
    std::vector<std::size_t> sums(nx * (ny + 1), 0);
    for (std::size_t i = 0; i < nx; ++i) {
        for (std::size_t j = 0; j < ny; ++j) {
            sums[i * (ny + 1) + j + 1] = sums[i * (ny + 1) + j] + (covered[i * ny + j] != 0);
        }
    }
    const auto whole = [&](std::size_t i, std::size_t j0, std::size_t j1) {
        return sums[i * (ny + 1) + j1] - sums[i * (ny + 1) + j0] == j1 - j0;
    };
    std::vector<rect> out;
    std::vector<char> run(ny);
    for (std::size_t i0 = 0; i0 < nx; ++i0) {
        std::fill(run.begin(), run.end(), 1);
        for (std::size_t i1 = i0; i1 < nx; ++i1) {
            bool any = false;
            for (std::size_t j = 0; j < ny; ++j) {
                run[j] = run[j] != 0 && covered[i1 * ny + j] != 0;
                any = any || run[j] != 0;
            }
            if (!any) break;
            for (std::size_t j0 = 0; j0 < ny;) {
                if (run[j0] == 0) {
                    ++j0;
                    continue;
                }
                std::size_t j1 = j0;
                while (j1 < ny && run[j1] != 0) ++j1;
                const bool left = i0 > 0 && whole(i0 - 1, j0, j1);
                const bool right = i1 + 1 < nx && whole(i1 + 1, j0, j1);
                if (!left && !right) out.push_back({xs[i0], xs[i1 + 1], ys[j0], ys[j1]});
                j0 = j1;
            }
        }
    }
    return out;
}

free_space::free_space(const extent& container, length highest) : highest_(highest) {
    surfaces_.push_back({{{0, container[0], 0, container[1]}, 0}, false});
}

void free_space::take_level(length z, std::vector<surface>& out) {
    for (const surface& s : surfaces_) {
        if (s.at.z == z) out.push_back(s);
    }
    std::erase_if(surfaces_, [z](const surface& s) { return s.at.z == z; });
}

surface_work free_space::occupy(const rect& f, length z) {
    std::vector<surface>& level = level_;
    std::vector<surface>& next = next_;
    take_level(z, level);
    for (const surface& s : level) {
        const rect& r = s.at.area;
        if (!meets(r, f)) {
            next.push_back(s);
            continue;
        }
        // What is left of r beside each side of the footprint; the parts of
        // a retired rectangle stay retired.
        const auto part = [&](const rect& p) { next.push_back({{p, z}, s.retired}); };
        if (f.x0 > r.x0) part({r.x0, f.x0, r.y0, r.y1});
        if (f.x1 < r.x1) part({f.x1, r.x1, r.y0, r.y1});
        if (f.y0 > r.y0) part({r.x0, r.x1, r.y0, f.y0});
        if (f.y1 < r.y1) part({r.x0, r.x1, f.y1, r.y1});
    }
    const std::size_t before = surfaces_.size();
    keep_maximal(next, surfaces_);
    const surface_work work{surfaces_.size(), level.size(), surfaces_.size() - before};
    level.clear();
    next.clear();
    return work;
}

surface_work free_space::add_top(const rect& top, length z) {
    if (z > highest_) return {};
    std::vector<surface>& level = level_;
    take_level(z, level);
    if (level.empty()) {
        surfaces_.push_back({{top, z}, false});
        return {surfaces_.size(), 0, 1};
    }
    std::vector<rect> parts;
    for (const surface& s : level) parts.push_back(s.at.area);
    parts.push_back(top);
    // A maximal rectangle of the larger surface inside a retired one is that
    // one: it stays retired.
    const std::size_t before = surfaces_.size();
    for (const rect& r : maximal_rectangles(parts)) {
        const bool retired = std::any_of(level.begin(), level.end(), [&r](const surface& s) {
            return s.retired && s.at.area == r;
        });
        surfaces_.push_back({{r, z}, retired});
    }
    const surface_work work{surfaces_.size(), level.size(), surfaces_.size() - before};
    level.clear();
    return work;
}

void free_space::retire(const space& s) {
    for (surface& f : surfaces_) {
        if (f.at.z == s.z && f.at.area == s.area) f.retired = true;
    }
}

}  // namespace varnel::mixed
