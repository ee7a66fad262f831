#pragma once

#include <cstdint>

#include "engine/load_model.h"

namespace varnel {

enum class search_status {
    ok,               // results written; counts all zero when nothing fits
    bad_carton_size,  // a carton size is zero (or not a positive number)
    count_overflow,   // a count on some axis does not fit in 16 bits
};

// Fills one free space with a single grid of cartons, trying orientations 1 to
// 6 (only 1 and 3 when side_allowed is 0), and keeps the orientation whose grid
// fills the largest share of the space. Results go to the model's search
// fields; best_orientation is left alone when nothing fits.
search_status find_best_orientation(load_model& model, float space_x, float space_y, float space_z,
                                    std::int16_t side_allowed);

}  // namespace varnel
