#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/core/placement.h"
#include "engine/load_model.h"

namespace varnel {

struct plan_totals {
    std::int64_t stacks = 0;
    std::int64_t cartons = 0;
    float utilisation = 1.0f;  // percent, cut (not rounded) to two decimals
};

// Counts the planned stacks of a millimetre table and the share of the
// container (record 0's space) their cartons fill. Counted in 64 bits, so a
// large typed container still gets its result.
plan_totals count_plan(const stack_table& stacks);

// A percentage stored as a single float and then cut (not rounded) to two
// decimals: 74.779 gives 74.77.
float cut_percent(double percent);

struct summary_texts {
    std::string utilisation;  // 集装箱的利用效率：80.03%
    std::string arrangement;  // 分5堆摆放共放130个包装箱
};

summary_texts write_summary(const stack_table& stacks);

// One container of a mixed load: its utilisation (per cent, cut as above)
// and "共装N个包装箱，M种".
summary_texts mixed_summary_texts(double utilisation, std::int64_t cartons, std::size_t types);

// Whether a container's centre of gravity lies within its band, in the
// user's words: "重心在允许范围内", or the offset and the band in whole
// centimetres in the direction that leaves it (the farther out when both
// do): "重心偏离中心N cm，超出允许的M cm".
std::string balance_text(const balance_figures& f);

// Where a container's centre of gravity lies, as a loader marks it out, to
// the centimetre: "距里端 6.02 m，距左侧 1.17 m".
std::string centre_text(const balance_figures& f);

// Its offset from the container's middle, each way in whole centimetres:
// "偏向箱门 12 cm，偏左 1 cm"; "纵向居中" or "横向居中" within half a
// centimetre. Left and right as seen from the door.
std::string centre_offset_text(const balance_figures& f);

// "第k个集装箱（共n个）".
std::string container_number_text(std::size_t k, std::size_t n);

// A run of `repeat` identical containers from the `first`th of `n`:
// "第1至1064个集装箱（每个相同）"; one alone is container_number_text's.
std::string containers_text(std::int64_t first, std::int64_t repeat, std::int64_t n);

}  // namespace varnel
