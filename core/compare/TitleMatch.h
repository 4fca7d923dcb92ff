#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// The elements of a definition array that have one of some titles, by title: a reload looks up
// a few dozen windows' elements in a design of hundreds of thousands.
class TTitleIndex {
public:
    TTitleIndex(const TDefinedArray& defs, const std::vector<std::string_view>& titles);

    // The key of an element; quick when its title is one of the index's.
    TTitleKey KeyOf(int element) const;
    // The element of the key; -1 when this design has none.
    int Find(const TTitleKey& key) const;

private:
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view title) const
        {
            return std::hash<std::string_view>{}(title);
        }
    };

    const TDefinedArray& defs;
    // Each title's elements in array order.
    std::unordered_map<std::string, std::vector<int>, THash, std::equal_to<>> byTitle;
};

// What a unit's text was, kept after its design is gone: its title, length and digest.
struct TUnitPrint {
    std::string title;
    size_t length = 0;
    uint64_t digest = 0;
};

} // namespace compare
