#pragma once

#include "script/TPictureAfter.h"

#include <unordered_map>
#include <unordered_set>

class TDefBase;
class TDefinedArray;
class TVertexList;

// The part of the relationships graph around one picture, found without building the whole
// graph: what a focused diagram shows.
namespace graph {

constexpr int kMinFocusDepth = 1;
constexpr int kMaxFocusDepth = 5;

// The depth brought into kMinFocusDepth to kMaxFocusDepth.
int ClampFocusDepth(int depth);

// Fills the empty, owning master list with the focus, the pictures it uses up to depth steps
// (following only "uses" edges), and the pictures that use it up to depth steps (following only
// "used by" edges); the depth is clamped. The vertices keep the array's order and the edges are
// those BuildGraph makes between them, in the same order, so the layout treats them alike. The
// focus is always a vertex, even with no edge or of a kind the graph leaves out.
//
// What a picture uses is read from its script pieces, which loading records for every name it
// resolves, and confirmed in the used picture's used-by set: no index of the whole graph is
// made, so the cost follows the size of the part, not of the design.
void BuildFocusedGraph(const TDefinedArray& defs, const TDefBase& focus, int depth,
                       TVertexList& master);
// What building focused graphs of one design finds out and keeps for the next build: the first
// picture after each group or record asked about, and the long used-by sets hashed. Refers to
// the array, which must not change while it is in use.
struct TFocusCache {
    explicit TFocusCache(const TDefinedArray& defs) : pictureAfter(defs) {}

    TPictureAfter pictureAfter;
    std::unordered_map<const TDefBase*, std::unordered_set<const TDefBase*>> longSets;
};

// The same with what earlier builds found kept, for many focused graphs of one design: each
// build then costs about its part alone.
void BuildFocusedGraph(const TDefinedArray& defs, const TDefBase& focus, int depth,
                       TVertexList& master, TFocusCache& cache);

} // namespace graph
