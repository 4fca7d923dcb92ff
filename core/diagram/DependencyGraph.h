#pragma once

class TDefBase;
class TDefinedArray;
class TVertex;
class TVertexList;

// The graph of which pictures use which: an edge runs from a used picture to each picture that
// uses it.
namespace graph {

// Fills the empty, owning master list: the pictures of the array in its order, one edge per
// picture entry of a used-by set, and no vertex that has no edge.
void BuildGraph(const TDefinedArray& defs, TVertexList& master);

// The first vertex of the list standing for this very element; nullptr when none does.
TVertex* FindVertex(const TVertexList& master, const TDefBase* element);

} // namespace graph
