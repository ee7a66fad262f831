#include "engine/single/l_pieces.h"

#include <algorithm>
#include <array>

namespace varnel {

namespace {

// The ways to divide a piece, as run in this order: cheap ones first, so
// that the piece's best rises early and prunes the dear ones.
enum family : int {
    // An L: a straight cut across its tower or its base.
    tower_strip,  // a rectangle a x Y off the left
    base_strip,   // a rectangle X x b off the bottom
    base_end,     // a rectangle (X - a) x y off the base's end, a >= x
    tower_end,    // a rectangle x x (Y - b) off the tower's top, b >= y
    // A bend from the inner corner (x, y).
    corner_down_right,  // down to (x, b), right to the side: a rectangle off the base's end
    corner_down_left,   // down to (x, b), left to the side: a rectangle across the top
    corner_left_up,     // left to (a, y), up to the top: a rectangle off the tower's side
    corner_left_down,   // left to (a, y), down to the bottom: a rectangle across the end
    // A bend round the inner corner.
    round_up,     // up from (a, 0) to (a, b), right to the tower's side
    round_right,  // right from (0, b) to (a, b), up to the base's top
    nested,       // from the base's end left to (a, b), then up: an L inside an L
    // A rectangle: a straight cut, its pieces valued with L's inside.
    rect_cut_u,
    rect_cut_v,
    rect_corner,   // an L and the rectangle of its missing corner
    rect_steps_u,  // two L's along a line with two bends, across
    rect_steps_v,  // the same along
    families
};

}  // namespace

l_search::shape l_search::normal(shape s) const {
    if (s.x >= s.X || s.y >= s.Y) return rect_shape(s.X, s.Y);
    if (s.x == 0) return rect_shape(s.X, s.y);
    if (s.y == 0) return rect_shape(s.x, s.Y);
    return s;
}

std::uint64_t l_search::key(const shape& s) const {
    const auto k = [](int v) { return static_cast<std::uint64_t>(v); };
    return k(s.X) | k(s.Y) << 16 | k(s.x) << 32 | k(s.y) << 48;
}

std::int32_t l_search::bound(const shape& s) {
    if (s.X == 0 || s.Y == 0) return 0;
    const std::int32_t whole = r_.ub(s.X, s.Y);
    if (s.x == s.X) return whole;
    const units area =
        r_.point(s.X) * r_.point(s.y) + r_.point(s.x) * (r_.point(s.Y) - r_.point(s.y));
    return std::min<std::int32_t>(whole, static_cast<std::int32_t>(area / (r_.p() * r_.q())));
}

std::size_t l_search::table::slot(std::uint64_t key) const {
    // A 64-bit mix (splitmix64's finaliser): shapes' keys differ in few bits.
    key ^= key >> 30;
    key *= 0xbf58476d1ce4e5b9u;
    key ^= key >> 27;
    key *= 0x94d049bb133111ebu;
    key ^= key >> 31;
    return static_cast<std::size_t>(key) & (keys_.size() - 1);
}

l_search::entry* l_search::table::find(std::uint64_t key) {
    for (std::size_t i = slot(key);; i = (i + 1) & (keys_.size() - 1)) {
        if (keys_[i] == key) return &entries_[at_[i]];
        if (keys_[i] == 0) return nullptr;
    }
}

const l_search::entry* l_search::table::find(std::uint64_t key) const {
    return const_cast<table*>(this)->find(key);
}

std::pair<l_search::entry*, bool> l_search::table::add(std::uint64_t key) {
    if (entry* e = find(key)) return {e, false};
    if (2 * (entries_.size() + 1) > keys_.size()) {
        std::vector<std::uint64_t> keys(2 * keys_.size(), 0);
        std::vector<std::uint32_t> at(keys.size(), 0);
        std::swap(keys, keys_);
        std::swap(at, at_);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == 0) continue;
            std::size_t j = slot(keys[i]);
            while (keys_[j] != 0) j = (j + 1) & (keys_.size() - 1);
            keys_[j] = keys[i];
            at_[j] = at[i];
        }
    }
    std::size_t i = slot(key);
    while (keys_[i] != 0) i = (i + 1) & (keys_.size() - 1);
    keys_[i] = key;
    at_[i] = static_cast<std::uint32_t>(entries_.size());
    entries_.emplace_back();
    return {&entries_.back(), true};
}

l_search::entry& l_search::known(const shape& s) {
    const auto [e, added] = memo_.add(key(s));
    if (added) {
        e->hi = bound(s);
        if (s.x == s.X) e->lo = std::min(rects_.rect(s.X, s.Y), e->hi);
    }
    return *e;
}

std::int32_t l_search::lo(const shape& s) {
    if (s.X == 0 || s.Y == 0) return 0;
    if (const entry* e = memo_.find(key(s))) return e->lo;
    return s.x == s.X ? known(s).lo : 0;
}

std::int32_t l_search::hi(const shape& s) {
    if (s.X == 0 || s.Y == 0) return 0;
    const entry* e = memo_.find(key(s));
    return e != nullptr ? e->hi : bound(s);
}

bool l_search::reach(const shape& raw, std::int32_t t) {
    const shape s = normal(raw);
    if (t <= 0) return true;
    if (s.X == 0 || s.Y == 0) return false;
    entry& e = known(s);
    if (e.lo >= t) return true;
    if (e.hi < t || !r_.meter().spend(8)) return false;
    if (divide(s, e, t)) return true;
    // Every division was tried and none reached t: none of the family can.
    if (!r_.meter().stopped()) e.hi = t - 1;
    return false;
}

bool l_search::attempt(const shape& s, int family, int a, int b, int c, entry& e, std::int32_t t) {
    const division d = pieces(s, family, a, b, c);
    const shape A = normal(d[0].s), B = normal(d[1].s);
    // The plain bounds first: they rule out most divisions without a lookup.
    if (bound(A) + bound(B) < t) return false;
    // Each round either succeeds, or lowers a piece's hi and so raises
    // what the other must reach, until the bounds rule the division out.
    while (hi(A) + hi(B) >= t && !r_.meter().stopped()) {
        if (!reach(A, t - hi(B))) continue;
        const bool done = reach(B, t - lo(A));
        const std::int32_t v = lo(A) + lo(B);
        if (v > e.lo) e.lo = v, e.family = family, e.a = a, e.b = b, e.c = c;
        if (done) return true;
    }
    return false;
}

l_search::division l_search::pieces(const shape& s, int family, int a, int b, int c) const {
    const auto pt = [this](int i) { return r_.point(i); };
    const auto rest = [this](int i, int j) { return r_.rest(i, j); };
    const int X = s.X, Y = s.Y, x = s.x, y = s.y;
    const units PX = pt(X), PY = pt(Y);
    switch (family) {
        case tower_strip: return {{{rect_shape(a, Y)}, {{rest(X, a), Y, rest(x, a), y}, pt(a), 0}}};
        case base_strip: return {{{rect_shape(X, b)}, {{X, rest(Y, b), x, rest(y, b)}, 0, pt(b)}}};
        case base_end: return {{{{a, Y, x, y}}, {rect_shape(rest(X, a), y), pt(a), 0}}};
        case tower_end: return {{{{X, b, x, y}}, {rect_shape(x, rest(Y, b)), 0, pt(b)}}};
        case corner_down_right:
            return {{{{X, Y, x, b}}, {rect_shape(rest(X, x), rest(y, b)), pt(x), pt(b)}}};
        case corner_down_left:
            return {{{{X, y, rest(X, x), b}, 0, 0, PX, pt(y), true, false},
                     {rect_shape(x, rest(Y, b)), 0, pt(b)}}};
        case corner_left_up:
            return {{{{X, Y, a, y}}, {rect_shape(rest(x, a), rest(Y, y)), pt(a), pt(y)}}};
        case corner_left_down:
            return {{{{x, Y, a, rest(Y, y)}, 0, 0, pt(x), PY, false, true},
                     {rect_shape(rest(X, a), y), pt(a), 0}}};
        case round_up:
            return {{{{rest(X, a), b, rest(x, a), y}, pt(a), 0},
                     {{x, Y, a, rest(Y, b)}, 0, 0, pt(x), PY, false, true}}};
        case round_right:
            return {{{{a, rest(Y, b), x, rest(y, b)}, 0, pt(b)},
                     {{X, y, rest(X, a), b}, 0, 0, PX, pt(y), true, false}}};
        case nested:
            return {
                {{{X, Y, a, b}}, {{rest(X, a), rest(Y, b), rest(x, a), rest(y, b)}, pt(a), pt(b)}}};
        case rect_cut_u: return {{{rect_shape(a, Y)}, {rect_shape(rest(X, a), Y), pt(a), 0}}};
        case rect_cut_v: return {{{rect_shape(X, b)}, {rect_shape(X, rest(Y, b)), 0, pt(b)}}};
        case rect_corner:
            return {{{{X, Y, a, b}}, {rect_shape(rest(X, a), rest(Y, b)), pt(a), pt(b)}}};
        case rect_steps_u:
            return {{{{c, Y, a, rest(Y, b)}, 0, 0, pt(c), PY, false, true},
                     {{rest(X, a), Y, rest(X, c), b}, pt(a), 0, PX - pt(a), PY, true, false}}};
        case rect_steps_v:
            return {{{{X, c, rest(X, b), a}, 0, 0, PX, pt(c), true, false},
                     {{X, rest(Y, a), b, rest(Y, c)}, 0, pt(a), PX, PY - pt(a), false, true}}};
        default: return {};
    }
}

bool l_search::divide(const shape& s, entry& e, std::int32_t t) {
    const int X = s.X, Y = s.Y, x = s.x, y = s.y;
    const auto spend = [this](int n) {
        return r_.meter().spend(static_cast<std::uint64_t>(n) + 1);
    };
    const auto each = [&](int family, int a0, int a1, int b0, int b1, int c = 0) {
        for (int a = a0; a < a1; ++a)
            for (int b = b0; b < b1; ++b)
                if (attempt(s, family, a, b, c, e, t)) return true;
        return false;
    };
    if (x == X) {
        if (!spend(X + Y) || each(rect_cut_u, 1, r_.half(X) + 1, 0, 1) ||
            each(rect_cut_v, 0, 1, 1, r_.half(Y) + 1))
            return true;
        if (!spend(X * Y) || each(rect_corner, 1, X, 1, Y)) return true;
        if (!spend(X * X * Y / 2)) return false;
        for (int c = 2; c < X; ++c)
            if (each(rect_steps_u, 1, c, 1, Y, c)) return true;
        if (!spend(Y * Y * X / 2)) return false;
        for (int c = 2; c < Y; ++c)
            if (each(rect_steps_v, 1, c, 1, X, c)) return true;
        return false;
    }
    if (!spend(2 * (X + Y)) || each(tower_strip, 1, x, 0, 1) || each(base_strip, 0, 1, 1, y) ||
        each(base_end, x, X, 0, 1) || each(tower_end, 0, 1, y, Y) ||
        each(corner_down_right, 0, 1, 1, y) || each(corner_down_left, 0, 1, 1, y) ||
        each(corner_left_up, 1, x, 0, 1) || each(corner_left_down, 1, x, 0, 1))
        return true;
    if (!spend(x * (Y - y) + y * (X - x) + x * y)) return false;
    return each(round_up, 1, x, y + 1, Y) || each(round_right, x + 1, X, 1, y) ||
           each(nested, 1, x, 1, y);
}

void l_search::emit_shape(const shape& raw, const flip& f, std::vector<rect_grid>& out) const {
    const shape s = normal(raw);
    if (s.X == 0 || s.Y == 0) return;
    const entry* found = memo_.find(key(s));
    if (found == nullptr || found->family < 0) {
        if (s.x == s.X) rects_.emit(s.X, s.Y, 0, 0, f, out);
        return;
    }
    const entry& e = *found;
    for (const piece& k : pieces(s, e.family, e.a, e.b, e.c)) {
        emit_shape(k.s, f.place(k.u, k.v, k.w, k.h, k.mirror_u, k.mirror_v), out);
    }
}

std::int32_t l_search::run(std::int32_t known_count, std::int64_t bound) {
    const shape root = rect_shape(r_.last_u(), r_.last_v());
    for (std::int32_t t = known_count + 1; t <= bound && reach(root, t); t = lo(root) + 1) {
    }
    return lo(root);
}

void l_search::emit(std::vector<rect_grid>& out) const {
    emit_shape(rect_shape(r_.last_u(), r_.last_v()), flip{}, out);
}

}  // namespace varnel
