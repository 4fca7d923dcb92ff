#pragma once

#include "diagram/TVertex.h"

#include <cstdint>
#include <vector>

class TVertexList;

// Finds the boxes and lines that a repaint area meets without looking at the others, so that a
// repaint costs what the area holds whatever the size of the diagram. Built from the geometry
// ComputeBoxes left in the vertices: after a zoom change, build it again. Refers to the vertices,
// which must outlive it.
class TDiagramIndex {
public:
    // A line from a picture's right end to the anchor (sx, sy) of a picture that uses it.
    struct Edge {
        TVertex* from = nullptr;
        TVertex* to = nullptr;
    };

    explicit TDiagramIndex(const TVertexList& master);

    // The vertices whose box meets the area (diagram::BoxMeets), in master-list order.
    std::vector<TVertex*> Vertices(const TVertex::Rect& area) const;
    // The lines that may put a pixel in the area (diagram::SegmentMeets), in drawing order: by
    // the used picture in master-list order, then by its out-list. An empty area meets nothing.
    std::vector<Edge> Edges(const TVertex::Rect& area) const;
    // What diagram::HitTest gives for the point.
    TVertex* Hit(int x, int y) const;
    // Queries share working memory: one thread at a time.

    size_t EdgeCount() const { return edges.size(); }

private:
    // Square cells of `cell` pixels from (0, 0); a point beyond the grid counts in the nearest
    // border cell, so that nothing placed left of or above the origin is lost. Each cell lists
    // item numbers in ascending order.
    struct Grid {
        int cell = 1;
        int columns = 1, rows = 1;
        std::vector<uint32_t> start; // cell k holds items[start[k] .. start[k + 1])
        std::vector<uint32_t> items;
        // The last query that met each item: a long line lies in many cells of one area, and
        // sorting every copy would cost more than the scan the index saves.
        mutable std::vector<uint32_t> seen;
        mutable uint32_t query = 0;

        int Column(int64_t x) const;
        int Row(int64_t y) const;
        // The items of the cells from (c0, r0) to (c1, r1) that pass the test, sorted, each once.
        template <typename Test>
        std::vector<uint32_t> Collect(int c0, int r0, int c1, int r1, Test test) const;
    };
    static void SizeGrid(Grid& grid, int64_t right, int64_t bottom, size_t items);
    // Calls cells(column, firstRow, lastRow) for every run of cells that may hold a point of
    // the box, or of the line.
    template <typename Cells>
    static void BoxCells(const Grid& grid, const TVertex::Rect& box, Cells cells);
    template <typename Cells>
    static void LineCells(const Grid& grid, TVertex::Point a, TVertex::Point b, Cells cells);
    // Lists item i in the cells that cellsOf(i, cells) visits.
    template <typename CellsOf> static void Fill(Grid& grid, size_t count, CellsOf cellsOf);

    std::vector<TVertex*> vertices; // master-list order
    std::vector<Edge> edges;        // drawing order
    Grid boxGrid, lineGrid;
};
