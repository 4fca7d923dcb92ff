#include "diagram/DiagramGeometry.h"

#include "diagram/TDiagramIndex.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using diagram::BoxMeets;
using diagram::LineMeets;
using diagram::SegmentMeets;

namespace {

// Vertices placed by hand at layout coordinates; a name is 10 pixels a byte wide.
struct Graph {
    TDefinedArray defs;
    TVertexList master{TVertexList::Ownership::Owns};

    TVertex* Vertex(const std::string& name, int x, int y)
    {
        auto* v = new TVertex(defs.Add(new TDefBase(kinds::Picture, name, nullptr)));
        v->x = x;
        v->y = y;
        master.Add(v);
        return v;
    }
    static int Measure(std::string_view text) { return 10 * static_cast<int>(text.size()); }
    diagram::TExtent Boxes(int zoom, int h)
    {
        return diagram::ComputeBoxes(master, zoom, h, Measure);
    }
};

TVertex::Point Middle(const TVertex& v)
{
    return {(v.sx + v.rightEnd.x) / 2, v.sy};
}

} // namespace

TEST(DiagramBoxes, MarginIsHalfPlusAnEighthOfTheLineHeight)
{
    EXPECT_EQ(diagram::Margin(16), 10);
    EXPECT_EQ(diagram::Margin(20), 12);
    EXPECT_EQ(diagram::Margin(7), 3);
    EXPECT_EQ(diagram::Margin(1), 0);
}

TEST(DiagramBoxes, AnchorScalesTheLayoutPointDownToWholePixels)
{
    Graph g;
    TVertex* v = g.Vertex("abcd", 250, 135);
    g.Boxes(70, 16);
    EXPECT_EQ(v->sx, 175);
    EXPECT_EQ(v->sy, 94); // 94.5 truncated
    EXPECT_EQ(v->rightEnd.x, 215);
    EXPECT_EQ(v->rightEnd.y, 94);
    EXPECT_EQ(v->box.left, 165);
    EXPECT_EQ(v->box.top, 84);
    EXPECT_EQ(v->box.right, 225);
    EXPECT_EQ(v->box.bottom, 104);
}

TEST(DiagramBoxes, EveryZoomScalesPointsAndSurroundsTheName)
{
    Graph g;
    g.Vertex("a", 16, 16);
    g.Vertex("a longer name", 16, 48);
    g.Vertex("mid", 333, 16);
    g.Vertex("far", 1001, 999);
    for (const int zoom : diagram::kZooms)
        for (const int h : {16, 11, 3}) {
            SCOPED_TRACE("zoom " + std::to_string(zoom) + " h " + std::to_string(h));
            const diagram::TExtent extent = g.Boxes(zoom, h);
            const int m = diagram::Margin(h);
            int widest = 0, lowest = 0;
            for (const TVertex* v : g.master) {
                // The scaled point is the exact one, cut down to a whole pixel.
                EXPECT_LE(v->sx * 100, v->x * zoom);
                EXPECT_GT((v->sx + 1) * 100, v->x * zoom);
                EXPECT_LE(v->sy * 100, v->y * zoom);
                EXPECT_GT((v->sy + 1) * 100, v->y * zoom);
                EXPECT_EQ(v->rightEnd.x - v->sx, Graph::Measure(v->element->Title()));
                EXPECT_EQ(v->rightEnd.y, v->sy);
                EXPECT_EQ(v->sx - v->box.left, m);
                EXPECT_EQ(v->box.right - v->rightEnd.x, m);
                EXPECT_EQ(v->sy - v->box.top, m);
                EXPECT_EQ(v->box.bottom - v->sy, m);
                widest = std::max(widest, v->rightEnd.x);
                lowest = std::max(lowest, v->sy);
            }
            EXPECT_EQ(extent.width, widest);
            EXPECT_EQ(extent.height, lowest);
        }
}

TEST(DiagramBoxes, EmptyGraphHasNoExtentAndHitsNothing)
{
    Graph g;
    for (const int zoom : diagram::kZooms) {
        const diagram::TExtent extent = g.Boxes(zoom, 16);
        EXPECT_EQ(extent.width, 0);
        EXPECT_EQ(extent.height, 0);
        EXPECT_EQ(diagram::HitTest(g.master, 0, 0), nullptr);
        const TDiagramIndex index(g.master);
        EXPECT_EQ(index.Hit(0, 0), nullptr);
        EXPECT_TRUE(index.Vertices({-100, -100, 100, 100}).empty());
        EXPECT_TRUE(index.Edges({-100, -100, 100, 100}).empty());
    }
}

TEST(DiagramBoxes, UnplacedVerticesAtTheOriginLeaveTheExtentAtZero)
{
    Graph g;
    g.Vertex("", 0, 0);
    const diagram::TExtent extent = g.Boxes(100, 16);
    EXPECT_EQ(extent.width, 0);
    EXPECT_EQ(extent.height, 0);
    EXPECT_EQ(diagram::HitTest(g.master, -10, -10), g.master[0]);
}

TEST(DiagramHitTest, BoxHoldsItsLeftAndTopEdgesButNotItsRightAndBottom)
{
    Graph g;
    g.Vertex("one", 100, 100);
    g.Vertex("two", 100, 400);
    g.Vertex("three", 600, 100);
    for (const int zoom : diagram::kZooms) {
        g.Boxes(zoom, 16);
        const TDiagramIndex index(g.master);
        for (TVertex* v : g.master) {
            const TVertex::Rect& b = v->box;
            for (const TVertex::Point p : {TVertex::Point{b.left, b.top},
                                           {b.right - 1, b.top},
                                           {b.left, b.bottom - 1},
                                           Middle(*v)}) {
                EXPECT_EQ(diagram::HitTest(g.master, p.x, p.y), v) << zoom;
                EXPECT_EQ(index.Hit(p.x, p.y), v) << zoom;
            }
            for (const TVertex::Point p : {TVertex::Point{b.right, b.top},
                                           {b.left, b.bottom},
                                           {b.left - 1, v->sy},
                                           {v->sx, b.top - 1}}) {
                EXPECT_EQ(diagram::HitTest(g.master, p.x, p.y), nullptr) << zoom;
                EXPECT_EQ(index.Hit(p.x, p.y), nullptr) << zoom;
            }
        }
    }
}

TEST(DiagramHitTest, OverlappingBoxesEarlierVertexWins)
{
    Graph g;
    TVertex* first = g.Vertex("first", 100, 100);
    TVertex* second = g.Vertex("second one", 120, 105);
    g.Boxes(100, 16);
    const TDiagramIndex index(g.master);
    EXPECT_EQ(diagram::HitTest(g.master, 125, 105), first);
    EXPECT_EQ(index.Hit(125, 105), first);
    // Where only the later box reaches, it is hit.
    EXPECT_EQ(diagram::HitTest(g.master, 200, 113), second);
    EXPECT_EQ(index.Hit(200, 113), second);
}

TEST(DiagramAreas, LineSpanHoldsBothEndsAndTheAreaStopsBeforeItsEdges)
{
    const TVertex::Rect area{10, 20, 30, 40};
    // Horizontal lines, one pixel thick: the area's first and last rows, and just outside.
    EXPECT_TRUE(LineMeets({0, 20}, {50, 20}, area));
    EXPECT_TRUE(LineMeets({0, 39}, {50, 39}, area));
    EXPECT_FALSE(LineMeets({0, 19}, {50, 19}, area));
    EXPECT_FALSE(LineMeets({0, 40}, {50, 40}, area));
    // A line ending on the area's first column meets it; one starting on its right edge doesn't.
    EXPECT_TRUE(LineMeets({0, 25}, {10, 25}, area));
    EXPECT_TRUE(LineMeets({10, 25}, {0, 25}, area));
    EXPECT_FALSE(LineMeets({30, 25}, {60, 25}, area));
    EXPECT_FALSE(LineMeets({0, 25}, {9, 25}, area));
    // Vertical lines.
    EXPECT_TRUE(LineMeets({29, 0}, {29, 100}, area));
    EXPECT_FALSE(LineMeets({30, 0}, {30, 100}, area));
    // A diagonal whose span covers the area though the line runs past its corner.
    EXPECT_TRUE(LineMeets({0, 25}, {25, 0}, area));
    EXPECT_FALSE(SegmentMeets({0, 25}, {25, 0}, area));
    EXPECT_FALSE(SegmentMeets({0, 27}, {27, 0}, area));
    EXPECT_TRUE(SegmentMeets({0, 28}, {28, 0}, area));
    EXPECT_TRUE(SegmentMeets({0, 60}, {40, 0}, area));
    EXPECT_TRUE(SegmentMeets({0, 20}, {50, 20}, area));
    EXPECT_FALSE(SegmentMeets({0, 19}, {50, 19}, area));
}

TEST(DiagramAreas, BoxesThatOnlyTouchDoNotMeet)
{
    const TVertex::Rect area{10, 20, 30, 40};
    EXPECT_FALSE(BoxMeets({0, 20, 10, 40}, area));
    EXPECT_TRUE(BoxMeets({0, 20, 11, 40}, area));
    EXPECT_FALSE(BoxMeets({30, 20, 40, 40}, area));
    EXPECT_TRUE(BoxMeets({29, 20, 40, 40}, area));
    EXPECT_FALSE(BoxMeets({10, 0, 30, 20}, area));
    EXPECT_TRUE(BoxMeets({10, 0, 30, 21}, area));
    EXPECT_FALSE(BoxMeets({10, 40, 30, 50}, area));
    EXPECT_TRUE(BoxMeets({0, 0, 100, 100}, area));
}

namespace {

// The pixels of a one-pixel line by Bresenham's rule.
std::vector<TVertex::Point> Raster(TVertex::Point a, TVertex::Point b)
{
    std::vector<TVertex::Point> pixels;
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (TVertex::Point p = a;;) {
        pixels.push_back(p);
        if (p.x == b.x && p.y == b.y)
            return pixels;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

bool Inside(TVertex::Point p, const TVertex::Rect& r)
{
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

} // namespace

TEST(DiagramAreas, SegmentMeetsEveryAreaItsPixelsReachAndNoFarOne)
{
    std::mt19937 random(7);
    const auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const auto coordinate = [&](int limit) { return uniform(-limit, limit); };
    int met = 0, missed = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const TVertex::Point a{coordinate(60), coordinate(60)};
        const TVertex::Point b = trial % 7 == 0 ? TVertex::Point{coordinate(60), a.y}
                                                : TVertex::Point{coordinate(60), coordinate(60)};
        const int left = coordinate(50), top = coordinate(50);
        const TVertex::Rect area{left, top, left + uniform(1, 20), top + uniform(1, 20)};
        const std::vector<TVertex::Point> pixels = Raster(a, b);
        const bool drawn =
            std::any_of(pixels.begin(), pixels.end(), [&](auto p) { return Inside(p, area); });
        const TVertex::Rect near{area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
        const bool close =
            std::any_of(pixels.begin(), pixels.end(), [&](auto p) { return Inside(p, near); });
        const bool meets = SegmentMeets(a, b, area);
        if (drawn) {
            EXPECT_TRUE(meets) << a.x << ',' << a.y << " " << b.x << ',' << b.y;
        }
        if (meets) {
            EXPECT_TRUE(LineMeets(a, b, area));
            EXPECT_TRUE(close) << a.x << ',' << a.y << " " << b.x << ',' << b.y;
        }
        ++(meets ? met : missed);
    }
    EXPECT_GT(met, 1000);
    EXPECT_GT(missed, 1000);
}

TEST(DiagramScroll, KeepCentreKeepsTheDiagramPointAtTheCentre)
{
    for (const int oldZoom : diagram::kZooms)
        for (const int newZoom : diagram::kZooms)
            for (const TVertex::Point point :
                 {TVertex::Point{0, 0}, TVertex::Point{1234, 567}, TVertex::Point{99999, 31}}) {
                // The view's centre on a point of the layout at the old zoom.
                const TVertex::Point centre{point.x * oldZoom / 100, point.y * oldZoom / 100};
                const TVertex::Point d = diagram::KeepCentre(centre, oldZoom, newZoom);
                const TVertex::Point moved{centre.x + d.x, centre.y + d.y};
                // Whole pixels at the old zoom are up to newZoom / oldZoom pixels at the new one.
                const int slack = newZoom / oldZoom + 1;
                EXPECT_NEAR(moved.x, point.x * newZoom / 100, slack) << oldZoom << "->" << newZoom;
                EXPECT_NEAR(moved.y, point.y * newZoom / 100, slack) << oldZoom << "->" << newZoom;
                // And back again.
                const TVertex::Point back = diagram::KeepCentre(moved, newZoom, oldZoom);
                EXPECT_NEAR(moved.x + back.x, centre.x, oldZoom / newZoom + 1);
                EXPECT_NEAR(moved.y + back.y, centre.y, oldZoom / newZoom + 1);
                if (oldZoom == newZoom) {
                    EXPECT_EQ(d.x, 0);
                    EXPECT_EQ(d.y, 0);
                }
            }
}

// Against a search of every position of the new range: the one whose centre lies nearest the
// old centre's diagram point at the new zoom, however far the new range clamps the old position.
TEST(DiagramScroll, ZoomedPositionKeepsTheCentreAsFarAsTheRangeAllows)
{
    std::mt19937 random(18);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    int clamped = 0, held = 0;
    for (int round = 0; round < 4000; ++round) {
        const int unit = pick(1, 20), view = pick(1, 900), content = pick(0, 20000);
        const int oldZoom = diagram::kZooms[pick(0, 4)], newZoom = diagram::kZooms[pick(0, 4)];
        // The ranges a window of this size gives the content at the two zooms.
        const auto range = [&](int zoom) {
            const int extent = content * zoom / 100;
            return extent > view ? (extent - view + unit - 1) / unit : 0;
        };
        const int oldMaximum = range(oldZoom), maximum = range(newZoom);
        const int position = pick(0, oldMaximum);
        const int half = (view - 1) / 2;
        const int64_t point = int64_t{half + position * unit} * newZoom / oldZoom;
        const auto distance = [&](int p) { return std::abs(half + int64_t{p} * unit - point); };
        int best = 0;
        for (int p = 0; p <= maximum; ++p)
            if (distance(p) < distance(best))
                best = p;
        const int got = diagram::ZoomedPosition({position, maximum, unit, half}, oldZoom, newZoom);
        ASSERT_TRUE(got >= 0 && got <= maximum) << got << "/" << maximum;
        ASSERT_EQ(distance(got), distance(best)) << position << "/" << oldMaximum << " -> " << got
                                                 << "/" << maximum << ", best " << best;
        ++(distance(best) * 2 > unit ? clamped : held);
    }
    EXPECT_GT(clamped, 100);
    EXPECT_GT(held, 100);
}

TEST(DiagramScroll, CentreOnBringsTheMiddleOfTheNameToTheCentre)
{
    Graph g;
    TVertex* v = g.Vertex("eight ch", 300, 500);
    g.Boxes(50, 16);
    // At 50 %: the name runs from 150 to 230 on the line y = 250.
    for (const TVertex::Point centre : {TVertex::Point{0, 0}, TVertex::Point{400, 80}}) {
        const TVertex::Point d = diagram::CentreOn(*v, centre);
        EXPECT_EQ(centre.x + d.x, 190);
        EXPECT_EQ(centre.y + d.y, 250);
    }
}

namespace {

// The index answers as the plain scans of every box and line do, in painting order: lines by
// used picture in master-list order, then by its out-list.
void ExpectSameAsScan(const TVertexList& master, const TDiagramIndex& index,
                      const TVertex::Rect& area, TVertex::Point point)
{
    std::vector<TVertex*> boxes;
    std::vector<std::pair<const TVertex*, const TVertex*>> lines;
    for (TVertex* v : master) {
        if (BoxMeets(v->box, area))
            boxes.push_back(v);
        if (v->outList)
            for (const TVertex* s : *v->outList)
                if (SegmentMeets(v->rightEnd, {s->sx, s->sy}, area))
                    lines.emplace_back(v, s);
    }
    EXPECT_EQ(index.Vertices(area), boxes);
    std::vector<std::pair<const TVertex*, const TVertex*>> found;
    for (const TDiagramIndex::Edge& e : index.Edges(area))
        found.emplace_back(e.from, e.to);
    EXPECT_EQ(found, lines) << area.left << ',' << area.top << ',' << area.right << ','
                            << area.bottom;
    EXPECT_EQ(index.Hit(point.x, point.y), diagram::HitTest(master, point.x, point.y));
}

// A random graph: clusters of nearby boxes that overlap, far outliers, unplaced vertices at the
// origin, long and duplicate edges.
void RandomGraph(Graph& g, std::mt19937& random, int n, int spread)
{
    const auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int i = 0; i < n; ++i) {
        const int kind = uniform(0, 9);
        const int x = kind == 0 ? 0 : kind == 1 ? uniform(0, 50 * spread) : uniform(1, spread);
        const int y = kind == 0 ? 0 : uniform(1, spread);
        g.Vertex(std::string(static_cast<size_t>(uniform(0, 25)), 'n'), x, y);
    }
    for (int e = 0; e < 3 * n; ++e) {
        TVertex* used = g.master[static_cast<size_t>(uniform(0, n - 1))];
        TVertex* user = g.master[static_cast<size_t>(uniform(0, n - 1))];
        used->AddUser(user);
        if (e % 17 == 0)
            used->AddUser(user);
    }
}

} // namespace

TEST(DiagramIndex, FindsWhatTheLinearScanFindsInTheSameOrder)
{
    std::mt19937 random(2024);
    const auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (const int spread : {300, 3000, 30000}) {
        Graph g;
        RandomGraph(g, random, 150, spread);
        for (const int zoom : diagram::kZooms) {
            SCOPED_TRACE("spread " + std::to_string(spread) + " zoom " + std::to_string(zoom));
            const diagram::TExtent extent = g.Boxes(zoom, 16 * zoom / 100 + 2);
            const TDiagramIndex index(g.master);
            size_t edges = 0;
            for (const TVertex* v : g.master)
                edges += v->OutCount();
            EXPECT_EQ(index.EdgeCount(), edges);

            // Areas that start or end on or next to a multiple of a power of two catch cells
            // missed at their borders.
            const auto edge = [&](int value) {
                if (uniform(0, 1) == 0)
                    return value;
                const int cell = 64 << uniform(0, 5);
                return value / cell * cell + uniform(-1, 1);
            };
            for (int q = 0; q < 400; ++q) {
                const int left = edge(uniform(-200, extent.width + 200));
                const int top = edge(uniform(-200, extent.height + 200));
                const int size = q % 10 == 0 ? 100000 : uniform(1, 900);
                const int right = std::max(left + 1, edge(left + size));
                const int bottom = std::max(top + 1, edge(top + uniform(1, size)));
                const TVertex::Rect area{left, top, right, bottom};
                ExpectSameAsScan(
                    g.master, index, area,
                    {uniform(-50, extent.width + 50), uniform(-50, extent.height + 50)});
            }
        }
    }
}

TEST(DiagramIndex, AreaHoldingTheWholeDiagramFindsEverything)
{
    std::mt19937 random(5);
    Graph g;
    RandomGraph(g, random, 60, 2000);
    const diagram::TExtent extent = g.Boxes(100, 16);
    const TDiagramIndex index(g.master);
    const TVertex::Rect all{-100, -100, extent.width + 100, extent.height + 100};
    EXPECT_EQ(index.Vertices(all).size(), g.master.size());
    EXPECT_EQ(index.Edges(all).size(), index.EdgeCount());
    EXPECT_TRUE(index.Vertices({50, 50, 50, 60}).empty());
    EXPECT_TRUE(index.Edges({50, 50, 60, 50}).empty());
}

TEST(DiagramIndex, LinesAndBoxesAtCellBordersAreFound)
{
    // Geometry set directly, every coordinate on or next to a multiple of a power of two, so
    // that lines graze the corners and edges of the index's cells and of the areas.
    std::mt19937 random(99);
    const auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const auto near = [&](int limit) {
        const int cell = 64 << uniform(0, 4);
        return uniform(-1, limit / cell) * cell + uniform(-2, 2);
    };
    Graph g;
    for (int i = 0; i < 300; ++i) {
        TVertex* v = g.Vertex("v", 0, 0);
        v->sx = near(4000);
        v->sy = near(3000);
        v->rightEnd = {v->sx + (uniform(0, 2) == 0 ? 0 : near(600) + 2), v->sy};
        const int m = uniform(0, 12);
        v->box = {v->sx - m, v->sy - m, v->rightEnd.x + m, v->sy + m};
    }
    for (int e = 0; e < 1200; ++e)
        g.master[static_cast<size_t>(uniform(0, 299))]->AddUser(
            g.master[static_cast<size_t>(uniform(0, 299))]);
    const TDiagramIndex index(g.master);
    for (int q = 0; q < 3000; ++q) {
        const int left = near(4000), top = near(3000);
        const TVertex::Rect area{left, top, std::max(left + 1, near(4000)),
                                 std::max(top + 1, near(3000))};
        ExpectSameAsScan(g.master, index, area, {near(4000), near(3000)});
    }
}
