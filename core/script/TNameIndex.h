#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TDefBase;
class TDefinedArray;

// The sorted vector behind the name table: elements by name (ASCII letters folded), then owner
// (by its index in the definition array, no owner first), then kind; equal keys in the order
// they were added. Adds are collected and sorted in by the next lookup, so filling it is
// linear; Freeze adds hashing that makes lookups independent of the table's size until the
// next add.
class TNameIndex {
public:
    // Positions [first, last) of the elements with one name.
    struct Range {
        uint32_t first = 0;
        uint32_t last = 0;
        bool empty() const { return first == last; }
    };

    void Add(TDefBase* element);
    void Clear();
    const std::vector<TDefBase*>& Elements() const;

    Range NameRange(std::string_view name) const;
    // The first element of the range with this owner (by identity) and kind, or none.
    TDefBase* FindIn(Range range, const TDefBase* owner, int kind) const;
    TDefBase* First(Range range) const { return range.empty() ? nullptr : elements[range.first]; }
    // Builds the lookup aids; names and the owners' indices must stay as they are until the
    // next change.
    void Freeze(const TDefinedArray& defs);

private:
    struct Slot {
        int32_t ownerIndex; // -1: no owner
        int32_t kind;
    };
    // One slot of the open-addressing table of runs; last == 0 marks an empty slot.
    struct RunSlot {
        uint64_t hash = 0;
        Range run;
    };

    void Settle() const;
    void Thaw() const;

    // Sorted up to sortedCount; the rest are adds not yet merged in.
    mutable std::vector<TDefBase*> elements;
    mutable size_t sortedCount = 0;
    // While frozen: a hash table of where each name's run lies and, when every owner is where
    // its index says, each element's owner index and kind side by side, so that a lookup
    // touches no element but the one it finds.
    mutable bool frozen = false;
    mutable std::vector<RunSlot> runs; // a power of two long, at most half full
    mutable std::vector<Slot> slots;
    mutable const TDefinedArray* defsFrozen = nullptr;
};
