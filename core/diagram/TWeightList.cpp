#include "diagram/TWeightList.h"

#include <algorithm>

void TWeightList::Insert(int weight, int sequence, TVertex* vertex)
{
    TVertexWeight entry{weight, sequence, vertex};
    if (!entries.empty() && entry < entries.back())
        sorted = false;
    entries.push_back(entry);
}

std::vector<TVertexWeight>& TWeightList::Entries()
{
    if (!sorted) {
        // Stable, so entries that order equal stay in insertion order.
        std::stable_sort(entries.begin(), entries.end());
        sorted = true;
    }
    return entries;
}
