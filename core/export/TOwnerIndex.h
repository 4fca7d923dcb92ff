#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TDefBase;
class TDefinedArray;

// The elements each element owns, in definition-array order. Built in one pass over the array so
// that finding an element's parts costs no scan, whatever the size of the design.
class TOwnerIndex {
public:
    explicit TOwnerIndex(const TDefinedArray& defs);

    // Empty for an element that owns nothing or is not in the array the index was built from.
    std::span<TDefBase* const> Owned(const TDefBase& owner) const;

private:
    const TDefinedArray& defs;
    // The parts of the element at index i are items[first[i]] up to items[first[i + 1]].
    std::vector<uint32_t> first;
    std::vector<TDefBase*> items;
};
