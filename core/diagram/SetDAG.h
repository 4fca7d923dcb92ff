#pragma once

#include "diagram/T2DimArray.h"

#include <functional>
#include <string_view>

class TVertex;
class TVertexList;

namespace diagram {
// The measure of layouts made without a screen (the command-line tool, fuzzing, benchmarks),
// where there are no fonts: a name is 7 pixels a character, a line kFixedLineHeight high.
constexpr int kFixedLineHeight = 16;
int FixedNameWidth(std::string_view name);
} // namespace diagram

// Lays out the relationships graph in layers: columns from left to right, a picture to the right
// of every picture it uses, vertices stacked top-down in a column, in pixels at 100 % zoom.
// Made for one layout; the results stay in the vertices (layer, position, x, y).
class SetDAG {
public:
    // The width in pixels of a text drawn in the diagram font.
    using Measure = std::function<int(std::string_view)>;

    // h is the line height of the diagram font.
    SetDAG(TVertexList& vertices, Measure measure, int h);

    // The whole layout, steps 1 to 8.
    void Layout();

    // Step 1: each vertex's layer is the length of the longest path that reaches it, ignoring the
    // back edges of a depth-first search from the roots and then from every vertex not yet
    // reached, in list order. Linear in vertices plus edges, and ends on cycles.
    void SetDepth();
    // Step 2 for one vertex: moves it within the slack its neighbours leave.
    void AdjustLayer(TVertex& v) const;
    // Appends v to its layer's row and then, depth first, every successor not yet placed.
    // A vertex without a layer is not placed.
    void PlaceInLayers(TVertex& v);
    // Stores x and y in the vertex; returns where its name ends (x + the name's width).
    int SetPosition(TVertex& v, int x, int y) const;

    // One layer of a sweep (step 4): reorders the row by PositionWeight and renumbers it.
    void OrderLayer(size_t k, bool byPredecessors);
    // One layer of a vertical pass (step 7): sets y from HeightWeight, keeping 2h between boxes
    // and h above the first; x comes from the row's first vertex. An empty row is passed over.
    void PackLayer(size_t k);

    // The mean position of the predecessors (or the successors); the vertex's own position when
    // it has none on that side.
    static int PositionWeight(const TVertex& v, bool byPredecessors);
    // The mean y of all predecessors and successors together; the vertex's own y without any.
    static int HeightWeight(const TVertex& v);

    const T2DimArray& Layers() const { return layers; }
    // The layer the vertical passes leave in place: the first of those with the most vertices;
    // -1 without layers.
    int Widest() const { return widest; }

private:
    void SetColumns();
    void FindWidest();

    TVertexList& vertices;
    Measure measure;
    int h;
    T2DimArray layers;
    int widest = -1;
};
