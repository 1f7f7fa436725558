#pragma once

// What a number read from a file may be. A value outside refuses the file with its line: nothing is stored
// that the cellar's columns (or a sum of them) could not hold.
namespace ImportLimits {

inline constexpr int kMaxVintage = 9999;
inline constexpr qint64 kMaxBottles = 1'000'000; // in one row and in one lot
inline constexpr double kMaxPrice = 1e9;

} // namespace ImportLimits
