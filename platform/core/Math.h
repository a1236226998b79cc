// Rounding as the components' arithmetic expects it: Round takes the nearest integer with
// halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); Trunc cuts toward zero. HoldInt brings a
// value worked out in 64 bits back into an int.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

inline std::int64_t Round(double v)
{
    // Written out rather than left to the floating-point rounding mode, which a library
    // may have changed.
    const double below = std::floor(v);
    const double rest = v - below;
    if (rest > 0.5)
        return static_cast<std::int64_t>(below) + 1;
    if (rest < 0.5)
        return static_cast<std::int64_t>(below);
    const auto b = static_cast<std::int64_t>(below);
    return (b % 2 == 0) ? b : b + 1;
}

inline std::int64_t Trunc(double v)
{
    return static_cast<std::int64_t>(std::trunc(v));
}

// A cell, minute or offset worked out in 64 bits from stored values that may lie far out
// (far-away dates, odd settings) is held at the ends rather than wrapped. The ends are half
// the int range, so that the sum or difference of two held values still fits an int.
inline int HoldInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}
