#include "diagram/TVertex.h"

#include "diagram/TVertexList.h"

TVertex::TVertex(const TDefBase* element) : element(element) {}

TVertex::~TVertex() = default;

void TVertex::AddUser(TVertex* user)
{
    if (!outList)
        outList = std::make_unique<TVertexList>();
    outList->Add(user);
    if (!user->inList)
        user->inList = std::make_unique<TVertexList>();
    user->inList->Add(this);
}

size_t TVertex::InCount() const
{
    return inList ? inList->size() : 0;
}

size_t TVertex::OutCount() const
{
    return outList ? outList->size() : 0;
}
