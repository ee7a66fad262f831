#pragma once

// carton_block lives in the core every planner shares.
#include "engine/core/block.h"
