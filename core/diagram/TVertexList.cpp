#include "diagram/TVertexList.h"

#include "diagram/TVertex.h"

#include <algorithm>

TVertexList::TVertexList(Ownership ownership) : ownership(ownership) {}

TVertexList::~TVertexList()
{
    Clear();
}

void TVertexList::Add(TVertex* vertex)
{
    vertices.push_back(vertex);
}

void TVertexList::RemoveIf(const std::function<bool(const TVertex&)>& pick)
{
    auto kept = std::stable_partition(vertices.begin(), vertices.end(),
                                      [&pick](const TVertex* v) { return !pick(*v); });
    if (Owns())
        for (auto it = kept; it != vertices.end(); ++it)
            delete *it;
    vertices.erase(kept, vertices.end());
}

void TVertexList::Clear()
{
    if (Owns())
        for (TVertex* v : vertices)
            delete v;
    vertices.clear();
}
