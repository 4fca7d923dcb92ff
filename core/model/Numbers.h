#pragma once

#include <cstdint>
#include <string>

// Numbers in values read like C's strtol (leading white space, a sign, digits; no digits gives 0)
// and wrap to the 32 bits of the field they go to.
namespace numbers {

int32_t ReadInt(const std::string& text);
uint32_t ReadUnsigned(const std::string& text);

} // namespace numbers
