#include "engine/mixed/fill_lengths.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace varnel::mixed {

namespace {

// bits |= bits << shift; bits past the end fall away.
void shift_or(std::vector<std::uint64_t>& bits, std::size_t shift) {
    const std::size_t words = shift / 64, rest = shift % 64;
    for (std::size_t i = bits.size(); i-- > words;) {
        std::uint64_t moved = bits[i - words] << rest;
        if (rest != 0 && i > words) moved |= bits[i - words - 1] >> (64 - rest);
        bits[i] |= moved;
    }
}

}  // namespace

fill_lengths::table fill_lengths::build(std::vector<length> sides, length limit,
                                        length most_steps) {
    table t;
    std::sort(sides.begin(), sides.end());
    sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
    length step = 0;
    for (const length s : sides) step = std::gcd(step, s);
    t.step = std::max<length>({step, 1, (limit + most_steps - 1) / most_steps});
    const auto n = static_cast<std::size_t>(limit / t.step) + 1;
    // The sums reached, a bit each: adding a side any number of times shifts
    // the set by it, by twice it, four times it..., a word at a time, so
    // that a list of thousands of sides costs milliseconds.
    std::vector<std::uint64_t> reach((n + 63) / 64, 0);
    reach[0] = 1;
    for (const length s : sides) {
        const auto k = static_cast<std::size_t>((s + t.step - 1) / t.step);
        for (std::size_t shift = k; shift < n; shift *= 2) shift_or(reach, shift);
    }
    t.best.resize(n);
    length last = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if ((reach[i / 64] >> (i % 64)) & 1u) last = static_cast<length>(i) * t.step;
        t.best[i] = last;
    }
    return t;
}

fill_lengths::fill_lengths(const cargo& c, length most_steps) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        std::vector<length> sides;
        for (const cargo_type& t : c.types) {
            if (t.quantity <= 0) continue;
            for (const pose& p : t.poses) sides.push_back(p.size[axis]);
        }
        axes_[axis] = build(std::move(sides), c.container[axis], most_steps);
    }
}

length fill_lengths::fill(std::size_t axis, length l) const {
    const table& t = axes_[axis];
    if (l <= 0) return 0;
    const auto i = std::min(static_cast<std::size_t>(l / t.step), t.best.size() - 1);
    return t.best[i];
}

}  // namespace varnel::mixed
