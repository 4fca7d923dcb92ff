#pragma once

#include "compare/TitleMatch.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TDefBase;
class TDefinedArray;

// Two designs compared element by element, as the text the program writes of each.
namespace compare {

// A design cut into units, each an element and its Copy text: first the leaves of the structure
// outline that stand for an element, in the outline's order; then, in definition-array order,
// every other element with a text of its own that writing the units before it did not already
// write. So a change anywhere in the design's text shows in one unit. Refers to the array, which
// must outlive it and stay unchanged.
class TUnits {
public:
    explicit TUnits(const TDefinedArray& defs);

    size_t Count() const { return units.size(); }
    const TDefBase& Element(size_t unit) const { return *units[unit].element; }
    const std::string& Title(size_t unit) const;
    // Every unit's title, in order (views of the elements' titles).
    std::vector<std::string_view> Titles() const;
    // Every unit's title, length and digest, which outlive the design.
    std::vector<TUnitPrint> Prints() const;
    // Whether the unit's text equals the other's, told by the length and a 64-bit digest of
    // each: a design's texts would take as much memory again as the design itself.
    bool SameText(size_t unit, const TUnits& other, size_t otherUnit) const;
    bool SameText(size_t unit, const TUnitPrint& print) const;
    // The texts of these units, written again.
    std::vector<std::string> Texts(const std::vector<size_t>& which) const;

private:
    struct TUnit {
        const TDefBase* element;
        uint64_t digest;
        size_t length;
    };
    const TDefinedArray* defs;
    std::vector<TUnit> units;
};

enum class TStatus { Unchanged, Changed, Added, Removed };

// "changed", "added", "removed" or "unchanged".
const char* StatusWord(TStatus status);

// A unit that differs. Units match when their titles are equal, the n-th of a title on one side
// the n-th on the other.
struct TDifference {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    TStatus status;
    size_t oldUnit;      // kNone for an added unit
    size_t newUnit;      // kNone for a removed unit
    std::string oldText; // empty for an added unit
    std::string newText; // empty for a removed unit
};

// What differs between an old and a new design. Refers to both arrays, which must outlive it.
class TComparison {
public:
    TComparison(TUnits oldUnits, TUnits newUnits);
    TComparison(const TDefinedArray& oldDefs, const TDefinedArray& newDefs);

    const TUnits& Old() const { return oldUnits; }
    const TUnits& New() const { return newUnits; }
    // The changed and added units in the new design's order, then the removed ones in the old's.
    const std::vector<TDifference>& Differences() const { return differences; }
    size_t Count(TStatus status) const;
    bool Same() const { return differences.empty(); }

    const std::string& Title(const TDifference& d) const;
    // Empty for the side a unit is missing from.
    std::string_view OldText(const TDifference& d) const;
    std::string_view NewText(const TDifference& d) const;
    // The element in the new design; null for a removed unit.
    const TDefBase* NewElement(const TDifference& d) const;

private:
    TUnits oldUnits;
    TUnits newUnits;
    std::vector<TDifference> differences;
    size_t unchanged = 0;
};

// The elements of the units that changed or appeared since the prints were taken, by the rule
// the comparison matches units by.
std::vector<int> ChangedSince(const std::vector<TUnitPrint>& before, const TUnits& now);

// The unit as a file of a unified diff: "--- a/TITLE" and "+++ b/TITLE" ("/dev/null" for the
// missing side), then its hunks with three lines of context.
void WriteUnified(std::ostream& out, const TComparison& comparison, const TDifference& d);
// "changed TITLE", "added TITLE" or "removed TITLE", and a line feed.
void WriteBrief(std::ostream& out, const TComparison& comparison, const TDifference& d);

} // namespace compare
