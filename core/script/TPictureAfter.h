#pragma once

#include <vector>

class TDefBase;
class TDefinedArray;

// The first picture after an element in the definition array: the picture the link rule uses
// for a group or record. Filled along the runs asked for, each position once, so a few questions
// over a million elements cost no pass over all of them. Refers to the array, which must not
// change while this is in use.
class TPictureAfter {
public:
    explicit TPictureAfter(const TDefinedArray& defs) : defs(defs) {}

    // Null when the element is not in the array or no picture follows it.
    TDefBase* FirstAfter(const TDefBase& element);

private:
    const TDefinedArray& defs;
    std::vector<int> next; // by position: the first picture at or after it, kNone, or kUnknown
};
