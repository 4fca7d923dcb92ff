#pragma once

#include <string_view>

// Element names compare with ASCII letters folded to lower case and every other byte by its
// unsigned value, so the order is the same on every machine and locale.
namespace names {

int Compare(std::string_view a, std::string_view b);
bool Equal(std::string_view a, std::string_view b);

} // namespace names
