#pragma once

// The preconditions a caller can break, stated where the engine is entered:
// VARNEL_EXPECTS(condition) stops the program, naming the condition, when it
// does not hold. A broken precondition is a fault of the caller, never of
// the input: whatever a user types is refused or planned before it reaches
// one. The checks are on in every build but Release and MinSizeRel (so in
// the tests' build, the sanitizer build and the fuzz build, which turns them
// on whatever its type) through VARNEL_CHECKS, set in
// engine/core/CMakeLists.txt. Off, the condition is compiled but never
// evaluated.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace varnel {

// Every side a positive, finite length: what a carton or a container must
// have before anything divides by its sides or counts along them.
template <typename T>
bool positive_sides(const std::array<T, 3>& sides) {
    for (const T side : sides) {
        if (!(side > 0 && std::isfinite(side))) return false;
    }
    return true;
}

// The one place the engine writes anything: the line saying which
// precondition broke, before the program stops.
[[noreturn]] inline void precondition_failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: precondition failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace varnel

#if defined(VARNEL_CHECKS) && VARNEL_CHECKS
#define VARNEL_EXPECTS(condition)       \
    ((condition) ? static_cast<void>(0) \
                 : ::varnel::precondition_failed(#condition, __FILE__, __LINE__))
#else
#define VARNEL_EXPECTS(condition) static_cast<void>(sizeof(!(condition)))
#endif
