#pragma once

#include <vector>

// The point size of the panes' fixed font, which the text zoom steps through: the sizes the font
// has, between kSmallest and kLargest.
namespace textsize {
inline constexpr int kSmallest = 6;
inline constexpr int kLargest = 36;
inline constexpr int kDefault = 9;

// The sizes offered: those of available (in any order) within the range, sorted; every size of
// the range when none of them is.
std::vector<int> Offered(const std::vector<int>& available);
// A kept size as it is used: the default when it is out of range (0 for none kept or no number),
// else the offered size nearest to it (the smaller of two as near).
int FromSettings(int kept, const std::vector<int>& offered);
// The next offered size above (step > 0) or below current; current itself at the end of the
// range.
int Step(int current, int step, const std::vector<int>& offered);
} // namespace textsize
