#pragma once

#include <cstddef>
#include <cstdint>
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

// The elements of a definition array by title. Refers to the array, which must outlive it.
class TTitleIndex {
public:
    explicit TTitleIndex(const TDefinedArray& defs);

    TTitleKey KeyOf(int element) const;
    // The element of the key; -1 when this design has none.
    int Find(const TTitleKey& key) const;

private:
    // The elements of one title, in array order, chained through `next`: one allocation for
    // all, as a design has hundreds of thousands of titles.
    struct TChain {
        int first;
        int last;
    };

    const TDefinedArray& defs;
    std::unordered_map<std::string_view, TChain> byTitle;
    std::vector<int> next; // by element; -1 ends a chain
};

// What a unit's text was, kept after its design is gone: its title, length and digest.
struct TUnitPrint {
    std::string title;
    size_t length = 0;
    uint64_t digest = 0;
};

} // namespace compare
