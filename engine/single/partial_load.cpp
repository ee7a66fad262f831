#include "engine/single/partial_load.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "engine/block_tables.h"
#include "engine/core/box.h"
#include "engine/core/expects.h"
#include "engine/core/orientation.h"
#include "engine/core/placement.h"
#include "engine/single/optimise.h"

namespace varnel {

namespace {

constexpr std::size_t table_size = static_cast<std::size_t>(stack_table_size);
// How many loaded rows a part load may give back to cut elsewhere when its
// first cut would need more blocks than the tables hold.
constexpr std::size_t most_rows_given_back = 256;

struct loading_block {
    carton_block block;
    std::array<double, 3> e{};  // one carton's extents
    block_box box;              // what the whole block fills
    // Some carton of it stands short of support in the plan itself.
    bool doubtful = false;
    double row_y(std::int64_t row) const { return block.y + static_cast<double>(row) * e[1]; }
    std::int64_t row_cartons() const { return std::int64_t{block.count_x} * block.count_z; }
    carton_block rows(std::int64_t n, std::int64_t from = 0) const {
        carton_block b = block;
        b.y = row_y(from);
        b.count_y = static_cast<std::int16_t>(n);
        return b;
    }
};

// The pieces a cut row holds `r` cartons in: whole columns across from X = 0
// and the bottom of the next, or whole layers and part of the next; the
// fewer pieces.
block_list cut_row(const loading_block& b, std::int64_t row, std::int64_t r) {
    block_list columns, layers;
    carton_block part = b.rows(1, row);
    const std::int64_t cx = b.block.count_x, cz = b.block.count_z;
    if (r / cz > 0) {
        columns.push_back(part);
        columns.back().count_x = static_cast<std::int16_t>(r / cz);
    }
    if (r % cz > 0) {
        columns.push_back(part);
        columns.back().x += static_cast<double>(r / cz) * b.e[0];
        columns.back().count_x = 1;
        columns.back().count_z = static_cast<std::int16_t>(r % cz);
    }
    if (r / cx > 0) {
        layers.push_back(part);
        layers.back().count_z = static_cast<std::int16_t>(r / cx);
    }
    if (r % cx > 0) {
        layers.push_back(part);
        layers.back().z += static_cast<double>(r / cx) * b.e[2];
        layers.back().count_x = static_cast<std::int16_t>(r % cx);
        layers.back().count_z = 1;
    }
    return layers.size() < columns.size() ? layers : columns;
}

class loader {
public:
    loader(const block_list& plan, const box_size& carton, work_meter& meter)
        : rules_(single_carton(carton.length, carton.width, carton.height)), meter_(meter) {
        for (const carton_block& b : plan) {
            if (holds_nothing(b)) continue;
            blocks_.push_back({b, rotated(rules_.size, b.orientation), box_of(b, rules_.size)});
        }
        const std::size_t n = blocks_.size();
        below_.resize(n);
        above_.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                if (i == j || !lies_under(blocks_[j].box, blocks_[i].box)) continue;
                below_[i].push_back(j);
                above_[j].push_back(i);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            block_list others;
            for (std::size_t j : below_[i]) others.push_back(blocks_[j].block);
            blocks_[i].doubtful = unsupported_on(blocks_[i].block, others, rules()) > 0;
        }
    }

    block_list load(std::int64_t cartons) {
        // Whole rows while they fit; the row that does not is cut.
        std::vector<std::int64_t> rows(blocks_.size(), 0);
        std::vector<char> ready(blocks_.size());
        bool relaxed = false;
        for (std::size_t i = 0; i < blocks_.size(); ++i) ready[i] = next_ready(i, rows, relaxed);
        std::vector<std::size_t> steps;
        std::int64_t remaining = cartons;
        while (remaining > 0) {
            std::optional<std::size_t> next = first_ready(ready, rows);
            if (!next && !relaxed) {
                // Only rows the plan itself leaves short of support are
                // left: they go last, as the plan has them.
                relaxed = true;
                for (std::size_t i = 0; i < blocks_.size(); ++i)
                    ready[i] = next_ready(i, rows, relaxed);
                continue;
            }
            if (!next || blocks_[*next].row_cartons() > remaining) break;
            ++rows[*next];
            remaining -= blocks_[*next].row_cartons();
            steps.push_back(*next);
            ready[*next] = next_ready(*next, rows, relaxed);
            for (std::size_t i : above_[*next]) ready[i] = next_ready(i, rows, relaxed);
        }
        if (remaining == 0) return pieces(rows, std::nullopt, 0);
        const std::optional<std::size_t> cut = first_ready(ready, rows);
        block_list loaded = pieces(rows, cut, remaining);
        if (loaded.size() <= table_size || meter_.stopped()) return loaded;
        // Too many blocks for the tables: give back the last rows loaded,
        // one at a time, and load the rest into whichever block needs the
        // fewest blocks for it.
        for (std::size_t back = 0; back < std::min(steps.size(), most_rows_given_back); ++back) {
            const std::size_t s = steps[steps.size() - 1 - back];
            --rows[s];
            remaining += blocks_[s].row_cartons();
            for (std::size_t i = 0; i < blocks_.size(); ++i) {
                if (std::optional<block_list> tried = rest_in(rows, i, remaining, relaxed);
                    tried && tried->size() <= table_size)
                    return *tried;
            }
        }
        return loaded;
    }

private:
    std::span<const carton_rules> rules() const { return std::span(&rules_, 1); }

    // Whether every carton that block j has under the next row of block i
    // is loaded.
    bool rows_under_loaded(std::size_t i, std::size_t j, const std::vector<std::int64_t>& rows) {
        const loading_block &b = blocks_[i], &below = blocks_[j];
        const double y0 = b.row_y(rows[i]), y1 = y0 + b.e[1];
        if (!spans_overlap(y0, y1, below.box.lo[1], below.box.hi[1])) return true;
        // The last row of `below` that reaches under this row.
        const double reach = std::ceil((y1 - contact_tolerance - below.block.y) / below.e[1]) - 1.0;
        const double last = std::min(reach, static_cast<double>(below.block.count_y) - 1.0);
        return static_cast<double>(rows[j]) > last;
    }

    // Whether the next row of block i can be loaded now: everything under
    // it is, and its cartons stand wholly on them (which only a plan with
    // cartons short of support can deny once everything under is loaded).
    // `relaxed` lets such a plan's own short rows in.
    bool next_ready(std::size_t i, const std::vector<std::int64_t>& rows, bool relaxed) {
        const loading_block& b = blocks_[i];
        if (rows[i] >= b.block.count_y) return false;
        if (on_floor(b.box)) return true;
        for (std::size_t j : below_[i]) {
            if (!rows_under_loaded(i, j, rows)) return false;
        }
        if (!b.doubtful || relaxed) return true;
        block_list loaded;
        for (std::size_t j : below_[i]) {
            if (rows[j] > 0) loaded.push_back(blocks_[j].rows(rows[j]));
        }
        carton_block bottom = b.rows(1, rows[i]);
        bottom.count_z = 1;
        return unsupported_on(bottom, loaded, rules()) == 0;
    }

    // The load with `r` more cartons in block i: its next whole rows, as
    // long as each can be loaded, and part of the row after; none when they
    // do not hold them all.
    std::optional<block_list> rest_in(std::vector<std::int64_t> rows, std::size_t i, std::int64_t r,
                                      bool relaxed) {
        const std::int64_t row = blocks_[i].row_cartons();
        for (; r > 0; r -= row, ++rows[i]) {
            if (!next_ready(i, rows, relaxed)) return std::nullopt;
            if (r < row) return pieces(rows, i, r);
        }
        return pieces(rows, std::nullopt, 0);
    }

    // Far end first, then bottom up, then from the side X = 0.
    std::optional<std::size_t> first_ready(const std::vector<char>& ready,
                                           const std::vector<std::int64_t>& rows) const {
        std::optional<std::size_t> best;
        const auto key = [&](std::size_t i) {
            return std::array{blocks_[i].row_y(rows[i]), blocks_[i].box.lo[2],
                              blocks_[i].box.lo[0]};
        };
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            if (ready[i] != 0 && (!best || key(i) < key(*best))) best = i;
        }
        return best;
    }

    // The loaded rows of every block, and `r` cartons of the next row of
    // block `cut`, joined where they can be.
    block_list pieces(const std::vector<std::int64_t>& rows, std::optional<std::size_t> cut,
                      std::int64_t r) const {
        block_list out;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            if (rows[i] > 0) out.push_back(blocks_[i].rows(rows[i]));
            if (cut == i && r > 0) {
                for (const carton_block& p : cut_row(blocks_[i], rows[i], r)) out.push_back(p);
            }
        }
        if (out.size() > table_size) merge_blocks(out, rules_.size, meter_);
        return out;
    }

    carton_rules rules_;
    work_meter& meter_;
    std::vector<loading_block> blocks_;
    std::vector<std::vector<std::size_t>> below_, above_;
};

}  // namespace

block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons,
                        work_meter& meter) {
    VARNEL_EXPECTS(positive_sides(std::array{carton.length, carton.width, carton.height}));
    if (cartons >= carton_count(plan)) return plan;
    if (cartons <= 0) return {};
    return loader(plan, carton, meter).load(cartons);
}

block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons) {
    work_meter unbounded(std::numeric_limits<std::uint64_t>::max(), nullptr, 1e9);
    return partial_load(plan, carton, cartons, unbounded);
}

}  // namespace varnel
