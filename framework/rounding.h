// Rounding with the platform's default mode: halves go to the even neighbour
// (banker's rounding), as the system's Round does. std::round would round
// halves away from zero and must not be used for these values.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

// 2.5 -> 2, 3.5 -> 4, -2.5 -> -2. NaN gives 0; values beyond the int64 range
// saturate.
inline int64_t RoundHalfEven(double Value) {
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(Value);
    if (mode != FE_TONEAREST) std::fesetround(mode);
    if (std::isnan(r)) return 0;
    if (r >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
    if (r < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}
