#pragma once

#include "diagram/TVertexWeight.h"

#include <vector>

// Vertices ordered by weight, then sequence number; an entry equal to earlier ones goes after
// them. Entries are sorted when first read, so filling a layer of n vertices takes n log n
// rather than the n squared of sorted insertion.
class TWeightList {
public:
    void Insert(int weight, int sequence, TVertex* vertex);

    // In order. Weights may be changed in place; the order is not redone for that.
    std::vector<TVertexWeight>& Entries();

private:
    std::vector<TVertexWeight> entries;
    bool sorted = true;
};
