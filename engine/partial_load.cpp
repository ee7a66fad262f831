#include "engine/partial_load.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/block_tables.h"

namespace varnel {

namespace {

// Positions are float sums of carton sides (at least 150 mm), so faces that
// meet may differ by rounding; half a millimetre separates real gaps.
constexpr double tolerance = 0.5;

struct loading_block {
    carton_block block;
    double ex = 0.0, ey = 0.0, ez = 0.0;  // one carton's extents
    std::int64_t rows_loaded = 0;         // rows along y, from the far end

    double x_end() const { return block.x + block.count_x * ex; }
    double y_end() const { return block.y + block.count_y * ey; }
    double top() const { return block.z + block.count_z * ez; }
    double row_y(std::int64_t row) const { return block.y + static_cast<double>(row) * ey; }
    bool done() const { return rows_loaded >= block.count_y; }
    std::int64_t row_cartons() const { return std::int64_t{block.count_x} * block.count_z; }
};

bool overlap(double a0, double a1, double b0, double b1) {
    return a0 < b1 - tolerance && b0 < a1 - tolerance;
}

// Whether every carton that `below` has under the next row of `b` is loaded.
bool rows_under_loaded(const loading_block& b, const loading_block& below) {
    if (below.top() > b.block.z + tolerance) return true;  // not below
    if (!overlap(b.block.x, b.x_end(), below.block.x, below.x_end())) return true;
    const double y0 = b.row_y(b.rows_loaded);
    const double y1 = y0 + b.ey;
    if (!overlap(y0, y1, below.block.y, below.y_end())) return true;
    // The last row of `below` that reaches under this row.
    const double reach = std::ceil((y1 - tolerance - below.block.y) / below.ey) - 1.0;
    const double last = std::min(reach, static_cast<double>(below.block.count_y) - 1.0);
    return static_cast<double>(below.rows_loaded) > last;
}

bool next_row_ready(const std::vector<loading_block>& blocks, std::size_t i) {
    const loading_block& b = blocks[i];
    if (b.done()) return false;
    if (b.block.z <= tolerance) return true;
    for (std::size_t j = 0; j < blocks.size(); ++j) {
        if (j != i && !rows_under_loaded(b, blocks[j])) return false;
    }
    return true;
}

// Far end first, then bottom up, then from the side X = 0.
bool loads_before(const loading_block& a, const loading_block& b) {
    const double ay = a.row_y(a.rows_loaded);
    const double by = b.row_y(b.rows_loaded);
    if (ay != by) return ay < by;
    if (a.block.z != b.block.z) return a.block.z < b.block.z;
    return a.block.x < b.block.x;
}

bool is_empty(const carton_block& b) { return b.count_x <= 0 || b.count_y <= 0 || b.count_z <= 0; }

}  // namespace

block_list partial_load(const block_list& plan, const box_size& carton, std::int64_t cartons) {
    if (cartons >= carton_count(plan)) return plan;
    if (cartons <= 0) return {};

    std::vector<loading_block> blocks;
    for (const carton_block& b : plan) {
        if (is_empty(b)) continue;
        const int o = b.orientation;
        blocks.push_back({b, extent_x(carton.length, carton.width, carton.height, o),
                          extent_y(carton.length, carton.width, carton.height, o),
                          extent_z(carton.length, carton.width, carton.height, o)});
    }

    // Whole rows while they fit; the row that does not is cut.
    std::int64_t remaining = cartons;
    std::size_t cut = blocks.size();
    while (remaining > 0) {
        std::size_t next = blocks.size();
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (next_row_ready(blocks, i) &&
                (next == blocks.size() || loads_before(blocks[i], blocks[next]))) {
                next = i;
            }
        }
        // The lowest unfinished row always has all below it loaded, so a
        // plan with cartons left always offers a row.
        if (next == blocks.size()) break;
        loading_block& b = blocks[next];
        if (b.row_cartons() > remaining) {
            cut = next;
            break;
        }
        ++b.rows_loaded;
        remaining -= b.row_cartons();
    }

    block_list loaded;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const loading_block& b = blocks[i];
        if (b.rows_loaded > 0) {
            carton_block rows = b.block;
            rows.count_y = static_cast<std::int16_t>(b.rows_loaded);
            loaded.push_back(rows);
        }
        if (i != cut) continue;
        // Whole columns of the cut row across from X = 0, then the bottom of
        // the next column.
        const std::int64_t columns = remaining / b.block.count_z;
        const std::int64_t layers = remaining % b.block.count_z;
        carton_block part = b.block;
        part.y = b.row_y(b.rows_loaded);
        part.count_y = 1;
        if (columns > 0) {
            part.count_x = static_cast<std::int16_t>(columns);
            loaded.push_back(part);
        }
        if (layers > 0) {
            part.x = b.block.x + static_cast<double>(columns) * b.ex;
            part.count_x = 1;
            part.count_z = static_cast<std::int16_t>(layers);
            loaded.push_back(part);
        }
    }
    return loaded;
}

}  // namespace varnel
