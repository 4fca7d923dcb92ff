#include "diagram/DependencyGraph.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

#include <vector>

namespace graph {

void BuildGraph(const TDefinedArray& defs, TVertexList& master)
{
    std::vector<TVertex*> byIndex(defs.Count(), nullptr);
    for (size_t i = 0; i < defs.Count(); ++i) {
        TDefBase* element = defs.At(i);
        if (element->kind != kinds::Picture)
            continue;
        auto* vertex = new TVertex(element);
        master.Add(vertex);
        byIndex[i] = vertex;
    }

    // Indexes come from the array, but a used-by entry is checked by identity as well, so an
    // element from elsewhere can never borrow a vertex.
    auto vertexOf = [&byIndex](const TDefBase* element) -> TVertex* {
        if (element->index < 0 || static_cast<size_t>(element->index) >= byIndex.size())
            return nullptr;
        TVertex* vertex = byIndex[static_cast<size_t>(element->index)];
        return vertex && vertex->element == element ? vertex : nullptr;
    };

    for (TVertex* vertex : master) {
        if (!vertex->element->users)
            continue;
        for (TDefBase* user : *vertex->element->users) {
            if (user->kind != kinds::Picture)
                continue;
            if (TVertex* userVertex = vertexOf(user))
                vertex->AddUser(userVertex);
        }
    }

    master.RemoveIf([](const TVertex& v) { return !v.inList && !v.outList; });
}

TVertex* FindVertex(const TVertexList& master, const TDefBase* element)
{
    for (TVertex* vertex : master)
        if (vertex->element == element)
            return vertex;
    return nullptr;
}

} // namespace graph
