#include "diagram/TDiagramIndex.h"

#include "diagram/DiagramGeometry.h"
#include "diagram/TVertexList.h"

#include <algorithm>

namespace {

// Cells of about half a window's view: a view meets a dozen cells and a box one or two, and a
// line that crosses the whole diagram lies in few of them. Smaller cells cost more in long lines
// listed cell by cell than they save in lines passed over.
constexpr int kCell = 512;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}

bool Empty(const TVertex::Rect& area)
{
    return area.right <= area.left || area.bottom <= area.top;
}

} // namespace

int TDiagramIndex::Grid::Column(int64_t x) const
{
    return static_cast<int>(std::clamp<int64_t>(FloorDiv(x, cell), 0, columns - 1));
}

int TDiagramIndex::Grid::Row(int64_t y) const
{
    return static_cast<int>(std::clamp<int64_t>(FloorDiv(y, cell), 0, rows - 1));
}

template <typename Test>
std::vector<uint32_t> TDiagramIndex::Grid::Collect(int c0, int r0, int c1, int r1, Test test) const
{
    if (++query == 0) {
        std::fill(seen.begin(), seen.end(), 0);
        query = 1;
    }
    std::vector<uint32_t> found;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const size_t k =
                static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c);
            for (uint32_t j = start[k]; j < start[k + 1]; ++j) {
                const uint32_t i = items[j];
                if (seen[i] == query)
                    continue;
                seen[i] = query;
                if (test(i))
                    found.push_back(i);
            }
        }
    std::sort(found.begin(), found.end());
    return found;
}

void TDiagramIndex::SizeGrid(Grid& grid, int64_t right, int64_t bottom, size_t items)
{
    // Cells grow with a diagram so sparse that small cells would cost more than its items.
    const int64_t limit = 4 * static_cast<int64_t>(items) + 4096;
    int64_t cell = kCell;
    while (CeilDiv(std::max<int64_t>(right, 1), cell) *
               CeilDiv(std::max<int64_t>(bottom, 1), cell) >
           limit)
        cell *= 2;
    grid.cell = static_cast<int>(std::min<int64_t>(cell, INT32_MAX));
    grid.columns = static_cast<int>(CeilDiv(std::max<int64_t>(right, 1), grid.cell));
    grid.rows = static_cast<int>(CeilDiv(std::max<int64_t>(bottom, 1), grid.cell));
}

template <typename Cells>
void TDiagramIndex::BoxCells(const Grid& grid, const TVertex::Rect& box, Cells cells)
{
    // The pixels of a box stop before its right and bottom edges; a box without width or height
    // (or turned inside out) still meets an area that reaches past both its edges.
    const int64_t right = static_cast<int64_t>(box.right) - 1;
    const int64_t bottom = static_cast<int64_t>(box.bottom) - 1;
    const int c0 = grid.Column(std::min<int64_t>(box.left, right));
    const int c1 = grid.Column(std::max<int64_t>(box.left, right));
    const int r0 = grid.Row(std::min<int64_t>(box.top, bottom));
    const int r1 = grid.Row(std::max<int64_t>(box.top, bottom));
    for (int c = c0; c <= c1; ++c)
        cells(c, r0, r1);
}

template <typename Cells>
void TDiagramIndex::LineCells(const Grid& grid, TVertex::Point a, TVertex::Point b, Cells cells)
{
    if (b.x < a.x)
        std::swap(a, b);
    if (a.x == b.x) {
        cells(grid.Column(a.x), grid.Row(std::min(a.y, b.y)), grid.Row(std::max(a.y, b.y)));
        return;
    }
    // In each column of cells, the line runs between its heights at the column's two edges
    // (or at its end points); rounding outwards keeps every cell it touches.
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    const int c0 = grid.Column(a.x), c1 = grid.Column(b.x);
    for (int c = c0; c <= c1; ++c) {
        const int64_t x0 = c == c0 ? a.x : static_cast<int64_t>(c) * grid.cell;
        const int64_t x1 = c == c1 ? b.x : static_cast<int64_t>(c + 1) * grid.cell;
        const int64_t n0 = dy * (x0 - a.x), n1 = dy * (x1 - a.x);
        const int64_t y0 = a.y + FloorDiv(std::min(n0, n1), dx);
        const int64_t y1 = a.y + CeilDiv(std::max(n0, n1), dx);
        cells(c, grid.Row(y0), grid.Row(y1));
    }
}

template <typename CellsOf> void TDiagramIndex::Fill(Grid& grid, size_t count, CellsOf cellsOf)
{
    const size_t cellCount = static_cast<size_t>(grid.columns) * static_cast<size_t>(grid.rows);
    const auto at = [&grid](int c, int r) {
        return static_cast<size_t>(r) * static_cast<size_t>(grid.columns) + static_cast<size_t>(c);
    };
    grid.start.assign(cellCount + 1, 0);
    for (size_t i = 0; i < count; ++i)
        cellsOf(i, [&](int c, int r0, int r1) {
            for (int r = r0; r <= r1; ++r)
                ++grid.start[at(c, r) + 1];
        });
    for (size_t k = 0; k < cellCount; ++k)
        grid.start[k + 1] += grid.start[k];
    grid.items.resize(grid.start[cellCount]);
    grid.seen.assign(count, 0);
    std::vector<uint32_t> next(grid.start.begin(), grid.start.end() - 1);
    for (size_t i = 0; i < count; ++i)
        cellsOf(i, [&](int c, int r0, int r1) {
            for (int r = r0; r <= r1; ++r)
                grid.items[next[at(c, r)]++] = static_cast<uint32_t>(i);
        });
}

TDiagramIndex::TDiagramIndex(const TVertexList& master) : vertices(master.begin(), master.end())
{
    int64_t right = 0, bottom = 0;
    for (TVertex* v : vertices) {
        right = std::max<int64_t>(right, v->box.right);
        bottom = std::max<int64_t>(bottom, v->box.bottom);
        if (v->outList)
            for (TVertex* s : *v->outList) {
                edges.push_back({v, s});
                right = std::max<int64_t>({right, v->rightEnd.x + 1, s->sx + 1});
                bottom = std::max<int64_t>({bottom, v->rightEnd.y + 1, s->sy + 1});
            }
    }

    SizeGrid(boxGrid, right, bottom, vertices.size());
    Fill(boxGrid, vertices.size(),
         [this](size_t i, auto cells) { BoxCells(boxGrid, vertices[i]->box, cells); });
    SizeGrid(lineGrid, right, bottom, edges.size());
    Fill(lineGrid, edges.size(), [this](size_t i, auto cells) {
        LineCells(lineGrid, edges[i].from->rightEnd, {edges[i].to->sx, edges[i].to->sy}, cells);
    });
}

std::vector<TVertex*> TDiagramIndex::Vertices(const TVertex::Rect& area) const
{
    std::vector<TVertex*> found;
    if (Empty(area))
        return found;
    const int64_t right = static_cast<int64_t>(area.right) - 1;
    const int64_t bottom = static_cast<int64_t>(area.bottom) - 1;
    const auto meets = [&](uint32_t i) { return diagram::BoxMeets(vertices[i]->box, area); };
    for (uint32_t i : boxGrid.Collect(boxGrid.Column(area.left), boxGrid.Row(area.top),
                                      boxGrid.Column(right), boxGrid.Row(bottom), meets))
        found.push_back(vertices[i]);
    return found;
}

std::vector<TDiagramIndex::Edge> TDiagramIndex::Edges(const TVertex::Rect& area) const
{
    std::vector<Edge> found;
    if (Empty(area))
        return found;
    // A line meets the area when it passes through the area grown by a pixel (SegmentMeets).
    const int64_t left = static_cast<int64_t>(area.left) - 1;
    const int64_t top = static_cast<int64_t>(area.top) - 1;
    const auto meets = [&](uint32_t i) {
        return diagram::SegmentMeets(edges[i].from->rightEnd, {edges[i].to->sx, edges[i].to->sy},
                                     area);
    };
    for (uint32_t i :
         lineGrid.Collect(lineGrid.Column(left), lineGrid.Row(top), lineGrid.Column(area.right),
                          lineGrid.Row(area.bottom), meets))
        found.push_back(edges[i]);
    return found;
}

TVertex* TDiagramIndex::Hit(int x, int y) const
{
    const size_t k = static_cast<size_t>(boxGrid.Row(y)) * static_cast<size_t>(boxGrid.columns) +
                     static_cast<size_t>(boxGrid.Column(x));
    for (uint32_t j = boxGrid.start[k]; j < boxGrid.start[k + 1]; ++j) {
        TVertex* v = vertices[boxGrid.items[j]];
        if (diagram::BoxHolds(v->box, x, y))
            return v;
    }
    return nullptr;
}
