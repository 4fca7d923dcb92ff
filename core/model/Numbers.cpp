#include "model/Numbers.h"

#include <cstdlib>

namespace numbers {

int32_t ReadInt(const std::string& text)
{
    return static_cast<int32_t>(static_cast<uint32_t>(std::strtol(text.c_str(), nullptr, 10)));
}

uint32_t ReadUnsigned(const std::string& text)
{
    return static_cast<uint32_t>(std::strtol(text.c_str(), nullptr, 10));
}

} // namespace numbers
