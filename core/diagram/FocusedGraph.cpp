#include "diagram/FocusedGraph.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"
#include "script/TPictureAfter.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace graph {
namespace {

using TElementSet = std::unordered_set<const TDefBase*>;

// What BuildGraph makes a vertex of.
bool IsVertex(const TDefinedArray& defs, const TDefBase* element)
{
    return element->kind == kinds::Picture && defs.Holds(element);
}

// The pictures a picture uses. Loading records a piece for every name it resolves in a script:
// a piece naming a picture, or naming an element based on a group or record (whose first
// picture is then used, the link rule), gives a candidate. A candidate counts only when its
// used-by set holds this very picture: a set keeps one of several equal elements, and the graph
// has exactly the entries of the sets.
class TUses {
public:
    TUses(const TDefinedArray& defs, TFocusCache& cache)
        : defs(defs), pictureAfter(cache.pictureAfter), longSets(cache.longSets)
    {
    }

    // Appends each picture the picture uses, once.
    void Of(const TDefBase& picture, std::vector<const TDefBase*>& out)
    {
        if (!picture.pieces)
            return;
        candidates.clear();
        for (const TScriptPiece& piece : *picture.pieces) {
            const TDefBase* target = piece.target;
            if (!target)
                continue;
            if (IsVertex(defs, target))
                candidates.push_back(target);
            const TDefBase* base = target->base;
            if (base && kinds::IsGroupOrRecord(base->kind))
                if (const TDefBase* first = pictureAfter.FirstAfter(*base))
                    candidates.push_back(first);
        }
        std::sort(candidates.begin(), candidates.end(),
                  [](const TDefBase* a, const TDefBase* b) { return a->index < b->index; });
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (const TDefBase* used : candidates)
            if (UsedBy(*used, &picture))
                out.push_back(used);
    }

private:
    // Sets up to this size are searched in place; longer ones are hashed once per build.
    static constexpr size_t kShortSet = 16;

    bool UsedBy(const TDefBase& used, const TDefBase* user)
    {
        const TUsedSet* users = used.users.get();
        if (!users)
            return false;
        if (users->size() <= kShortSet)
            return std::find(users->begin(), users->end(), user) != users->end();
        auto [it, made] = longSets.try_emplace(&used);
        if (made)
            it->second.insert(users->begin(), users->end());
        return it->second.count(user) != 0;
    }

    const TDefinedArray& defs;
    std::vector<const TDefBase*> candidates;
    TPictureAfter& pictureAfter;
    std::unordered_map<const TDefBase*, TElementSet>& longSets;
};

// Breadth first from the focus one way only, up to depth steps; what it reaches joins the part.
template <typename Neighbours>
void Walk(const TDefBase& focus, int depth, Neighbours neighbours, TElementSet& inPart,
          std::vector<const TDefBase*>& part)
{
    TElementSet seen{&focus};
    std::vector<const TDefBase*> frontier{&focus}, following, next;
    for (int step = 0; step < depth && !frontier.empty(); ++step) {
        following.clear();
        for (const TDefBase* element : frontier) {
            next.clear();
            neighbours(*element, next);
            for (const TDefBase* n : next) {
                if (!seen.insert(n).second)
                    continue;
                following.push_back(n);
                if (inPart.insert(n).second)
                    part.push_back(n);
            }
        }
        frontier.swap(following);
    }
}

} // namespace

int ClampFocusDepth(int depth)
{
    return std::clamp(depth, kMinFocusDepth, kMaxFocusDepth);
}

void BuildFocusedGraph(const TDefinedArray& defs, const TDefBase& focus, int depth,
                       TVertexList& master)
{
    TFocusCache cache(defs);
    BuildFocusedGraph(defs, focus, depth, master, cache);
}

void BuildFocusedGraph(const TDefinedArray& defs, const TDefBase& focus, int depth,
                       TVertexList& master, TFocusCache& cache)
{
    depth = ClampFocusDepth(depth);
    std::vector<const TDefBase*> part{&focus};
    TElementSet inPart{&focus};
    if (IsVertex(defs, &focus)) {
        TUses uses(defs, cache);
        Walk(
            focus, depth,
            [&uses](const TDefBase& picture, std::vector<const TDefBase*>& out) {
                uses.Of(picture, out);
            },
            inPart, part);
        Walk(
            focus, depth,
            [&defs](const TDefBase& picture, std::vector<const TDefBase*>& out) {
                if (picture.users)
                    for (const TDefBase* user : *picture.users)
                        if (IsVertex(defs, user))
                            out.push_back(user);
            },
            inPart, part);
    }
    // Only an element of the array has neighbours, so the part is in array order.
    std::sort(part.begin(), part.end(),
              [](const TDefBase* a, const TDefBase* b) { return a->index < b->index; });

    std::unordered_map<const TDefBase*, TVertex*> vertexOf;
    for (const TDefBase* element : part) {
        auto* vertex = new TVertex(element);
        master.Add(vertex);
        vertexOf.emplace(element, vertex);
    }
    for (TVertex* vertex : master) {
        if (!IsVertex(defs, vertex->element) || !vertex->element->users)
            continue;
        for (const TDefBase* user : *vertex->element->users) {
            if (!IsVertex(defs, user))
                continue;
            if (const auto it = vertexOf.find(user); it != vertexOf.end())
                vertex->AddUser(it->second);
        }
    }
}

} // namespace graph
