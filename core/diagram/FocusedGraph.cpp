#include "diagram/FocusedGraph.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "script/TScriptList.h"
#include "script/TUsedSet.h"

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
    explicit TUses(const TDefinedArray& defs) : defs(defs) {}

    // Appends each picture the picture uses, once.
    void Of(const TDefBase& picture, std::vector<TDefBase*>& out)
    {
        if (!picture.pieces)
            return;
        candidates.clear();
        for (const TScriptPiece& piece : *picture.pieces) {
            TDefBase* target = piece.target;
            if (!target)
                continue;
            if (IsVertex(defs, target))
                candidates.push_back(target);
            const TDefBase* base = target->base;
            if (base && (base->kind == kinds::Group || base->kind == kinds::Record))
                if (TDefBase* first = FirstPictureAfter(*base))
                    candidates.push_back(first);
        }
        std::sort(candidates.begin(), candidates.end(),
                  [](const TDefBase* a, const TDefBase* b) { return a->index < b->index; });
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (TDefBase* used : candidates)
            if (UsedBy(*used, &picture))
                out.push_back(used);
    }

private:
    static constexpr int kUnknown = -2;
    static constexpr int kNone = -1;
    // Sets up to this size are searched in place; longer ones are hashed once per build.
    static constexpr size_t kShortSet = 16;

    // As loading finds it: the first picture after the element in the array.
    TDefBase* FirstPictureAfter(const TDefBase& element)
    {
        if (!defs.Holds(&element))
            return nullptr;
        const size_t count = defs.Count();
        // Made on the first link only, and filled along the runs asked for, each index once.
        if (nextPicture.empty())
            nextPicture.assign(count + 1, kUnknown);
        nextPicture[count] = kNone;
        const size_t from = static_cast<size_t>(element.index) + 1;
        size_t j = from;
        while (nextPicture[j] == kUnknown && defs.At(j)->kind != kinds::Picture)
            ++j;
        const int found = nextPicture[j] == kUnknown ? static_cast<int>(j) : nextPicture[j];
        for (size_t k = from; k <= j; ++k)
            nextPicture[k] = found;
        return found < 0 ? nullptr : defs.At(static_cast<size_t>(found));
    }

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
    std::vector<TDefBase*> candidates;
    std::vector<int> nextPicture; // by index: the first picture at or after it, or kNone
    std::unordered_map<const TDefBase*, TElementSet> longSets;
};

// Breadth first from the focus one way only, up to depth steps; what it reaches joins the part.
template <typename Neighbours>
void Walk(TDefBase& focus, int depth, Neighbours neighbours, TElementSet& inPart,
          std::vector<TDefBase*>& part)
{
    TElementSet seen{&focus};
    std::vector<TDefBase*> frontier{&focus}, following, next;
    for (int step = 0; step < depth && !frontier.empty(); ++step) {
        following.clear();
        for (TDefBase* element : frontier) {
            next.clear();
            neighbours(*element, next);
            for (TDefBase* n : next) {
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

void BuildFocusedGraph(const TDefinedArray& defs, TDefBase& focus, int depth, TVertexList& master)
{
    depth = ClampFocusDepth(depth);
    std::vector<TDefBase*> part{&focus};
    TElementSet inPart{&focus};
    if (IsVertex(defs, &focus)) {
        TUses uses(defs);
        Walk(
            focus, depth,
            [&uses](const TDefBase& picture, std::vector<TDefBase*>& out) {
                uses.Of(picture, out);
            },
            inPart, part);
        Walk(
            focus, depth,
            [&defs](const TDefBase& picture, std::vector<TDefBase*>& out) {
                if (picture.users)
                    for (TDefBase* user : *picture.users)
                        if (IsVertex(defs, user))
                            out.push_back(user);
            },
            inPart, part);
    }
    // Only an element of the array has neighbours, so the part is in array order.
    std::sort(part.begin(), part.end(),
              [](const TDefBase* a, const TDefBase* b) { return a->index < b->index; });

    std::unordered_map<const TDefBase*, TVertex*> vertexOf;
    for (TDefBase* element : part) {
        auto* vertex = new TVertex(element);
        master.Add(vertex);
        vertexOf.emplace(element, vertex);
    }
    for (TVertex* vertex : master) {
        if (!IsVertex(defs, vertex->element) || !vertex->element->users)
            continue;
        for (TDefBase* user : *vertex->element->users) {
            if (!IsVertex(defs, user))
                continue;
            if (const auto it = vertexOf.find(user); it != vertexOf.end())
                vertex->AddUser(it->second);
        }
    }
}

} // namespace graph
