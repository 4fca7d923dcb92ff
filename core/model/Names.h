#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Element names compare with ASCII letters folded to lower case and every other byte by its
// unsigned value, so the order is the same on every machine and locale.
namespace names {

// The byte with an ASCII capital letter folded to lower case; any other byte as it is.
constexpr char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The text with every byte folded.
std::string Folded(std::string_view text);
void FoldInPlace(std::string& text);

int Compare(std::string_view a, std::string_view b);
bool Equal(std::string_view a, std::string_view b);
// FNV-1a over the folded bytes, finally mixed: names that are Equal hash alike.
uint64_t Hash(std::string_view name);

} // namespace names
