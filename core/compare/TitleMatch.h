#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDefinedArray;

// The rule by which one design's things are found in another: by title, the n-th of a title on
// one side the n-th on the other. Units of a comparison and the windows kept over a reload both
// follow it.
namespace compare {

constexpr size_t kUnmatched = static_cast<size_t>(-1);

// For each new title, the old one it matches; kUnmatched for none.
std::vector<size_t> MatchByTitle(const std::vector<std::string_view>& oldTitles,
                                 const std::vector<std::string_view>& newTitles);

// An element as another design finds it: its title and which of that title it is.
struct TTitleKey {
    std::string title;
    size_t occurrence = 0;
    bool operator==(const TTitleKey&) const = default;
};

// Each element's key in a definition array; none for -1 (no element). One pass over the array
// for all: a reload asks for a few dozen windows' elements in a design of hundreds of thousands.
std::vector<std::optional<TTitleKey>> KeysOf(const TDefinedArray& defs,
                                             const std::vector<int>& elements);
// The element each key names in this array; -1 for none, or when this design has none.
std::vector<int> ElementsOf(const TDefinedArray& defs,
                            const std::vector<std::optional<TTitleKey>>& keys);

// What a unit's text was, kept after its design is gone: its title, length and digest.
struct TUnitPrint {
    std::string title;
    size_t length = 0;
    uint64_t digest = 0;
};

} // namespace compare
