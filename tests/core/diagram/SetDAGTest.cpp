#include "diagram/SetDAG.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A graph built vertex by vertex; each name's width is set per test (10 pixels a byte else).
struct Graph {
    TDefinedArray defs;
    TVertexList master{TVertexList::Ownership::Owns};
    std::map<std::string, int, std::less<>> widths;
    int h = 16;

    TVertex* Vertex(const std::string& name, int width = 0)
    {
        TDefBase* element = defs.Add(new TDefBase(kinds::Picture, name, nullptr));
        if (width > 0)
            widths[element->Title()] = width;
        auto* v = new TVertex(element);
        master.Add(v);
        return v;
    }
    static void Edge(TVertex* used, TVertex* user) { used->AddUser(user); }

    SetDAG Dag()
    {
        return SetDAG(
            master,
            [this](std::string_view text) {
                auto it = widths.find(text);
                return it != widths.end() ? it->second : 10 * static_cast<int>(text.size());
            },
            h);
    }
    void Layout() { Dag().Layout(); }
    int Width(const TVertex* v) const { return widths.at(v->element->Title()); }
};

std::vector<const TVertex*> Row(const SetDAG& dag, size_t k)
{
    return {dag.Layers().At(k).begin(), dag.Layers().At(k).end()};
}

void ExpectAllPlaced(const TVertexList& master)
{
    for (const TVertex* v : master) {
        EXPECT_GE(v->layer, 0) << v->element->name;
        EXPECT_GE(v->position, 0) << v->element->name;
        EXPECT_GT(v->x, 0) << v->element->name;
        EXPECT_GT(v->y, 0) << v->element->name;
    }
}

// The layering as first described: a walk from every root that re-walks a vertex whenever it
// reaches it at an equal or greater depth. Exponential, so only for small acyclic graphs.
void ReferenceSetDepth(TVertex* v, int d)
{
    if (d < v->layer)
        return;
    v->layer = d;
    if (v->outList)
        for (TVertex* s : *v->outList)
            ReferenceSetDepth(s, d + 1);
}

} // namespace

TEST(SetDAG, EmptyGraphHasNoLayers)
{
    Graph g;
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(dag.Layers().Rows(), 0u);
    EXPECT_EQ(dag.Widest(), -1);
}

TEST(SetDAG, SingleLayerIsStackedTwoLinesApart)
{
    // Self-uses keep each vertex in layer 0, so no sweep and no vertical pass moves them.
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    for (TVertex* v : {a, b, c})
        Graph::Edge(v, v);
    SetDAG dag = g.Dag();
    dag.Layout();
    ASSERT_EQ(dag.Layers().Rows(), 1u);
    EXPECT_EQ(Row(dag, 0), (std::vector<const TVertex*>{a, b, c}));
    EXPECT_EQ(dag.Widest(), 0);
    for (const TVertex* v : {a, b, c})
        EXPECT_EQ(v->x, g.h);
    EXPECT_EQ(a->y, g.h);
    EXPECT_EQ(b->y, 3 * g.h);
    EXPECT_EQ(c->y, 5 * g.h);
}

TEST(SetDAG, ChainColumnsStartTenLinesRightOfTheNames)
{
    // Root a used by b and c, b used by c.
    Graph g;
    TVertex* a = g.Vertex("a", 30);
    TVertex* b = g.Vertex("b", 70);
    TVertex* c = g.Vertex("c", 5);
    Graph::Edge(a, b);
    Graph::Edge(a, c);
    Graph::Edge(b, c);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(a->layer, 0);
    EXPECT_EQ(b->layer, 1);
    EXPECT_EQ(c->layer, 2);
    EXPECT_EQ(a->x, g.h);
    EXPECT_EQ(b->x, a->x + 30 + 10 * g.h);
    EXPECT_EQ(c->x, b->x + 70 + 10 * g.h);
    for (const TVertex* v : {a, b, c})
        EXPECT_EQ(v->y, g.h);
}

TEST(SetDAG, ColumnStartsRightOfTheWidestNameBeforeIt)
{
    Graph g;
    TVertex* root = g.Vertex("root", 40);
    TVertex* narrow = g.Vertex("narrow", 10);
    TVertex* wide = g.Vertex("wide", 200);
    TVertex* last = g.Vertex("last", 10);
    Graph::Edge(root, narrow);
    Graph::Edge(root, wide);
    Graph::Edge(narrow, last);
    Graph::Edge(wide, last);
    g.Layout();
    EXPECT_EQ(narrow->x, wide->x);
    EXPECT_EQ(last->x, wide->x + 200 + 10 * g.h);
}

TEST(SetDAG, RootMovesNextToItsNearestUser)
{
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    Graph::Edge(a, b);
    Graph::Edge(b, c);
    Graph::Edge(d, c);
    SetDAG dag = g.Dag();
    dag.SetDepth();
    EXPECT_EQ(d->layer, 0);
    EXPECT_EQ(c->layer, 2);
    dag.Layout();
    EXPECT_EQ(a->layer, 0);
    EXPECT_EQ(b->layer, 1);
    EXPECT_EQ(d->layer, 1);
    EXPECT_EQ(c->layer, 2);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{b, d}));
    EXPECT_EQ(d->x, b->x);
}

TEST(SetDAG, AdjustLayerMovesTowardsTheSideWithMoreEdges)
{
    Graph g;
    TVertex* p1 = g.Vertex("p1");
    TVertex* p2 = g.Vertex("p2");
    TVertex* v = g.Vertex("v");
    TVertex* s1 = g.Vertex("s1");
    TVertex* s2 = g.Vertex("s2");
    p1->layer = p2->layer = 0;
    s1->layer = s2->layer = 5;
    SetDAG dag = g.Dag();

    // Slack from lo = 1 to hi = 4.
    Graph::Edge(p1, v);
    Graph::Edge(v, s1);
    v->layer = 2;
    dag.AdjustLayer(*v);
    EXPECT_EQ(v->layer, 4) << "a tie goes towards the users";

    Graph::Edge(p2, v);
    v->layer = 2;
    dag.AdjustLayer(*v);
    EXPECT_EQ(v->layer, 1) << "more predecessors";

    Graph::Edge(v, s2);
    v->layer = 2;
    dag.AdjustLayer(*v);
    EXPECT_EQ(v->layer, 4) << "as many successors again";

    // No slack: lo = 6 is not below hi = 4.
    p1->layer = 5;
    v->layer = 2;
    dag.AdjustLayer(*v);
    EXPECT_EQ(v->layer, 2);
}

TEST(SetDAG, AdjustLayerCountsSlackUpToLayerOneHundred)
{
    Graph g;
    TVertex* root = g.Vertex("root");
    TVertex* far = g.Vertex("far");
    TVertex* sink = g.Vertex("sink");
    TVertex* alone = g.Vertex("alone");
    Graph::Edge(root, far);
    Graph::Edge(root, sink);
    root->layer = 0;
    far->layer = 300;
    sink->layer = 150;
    SetDAG dag = g.Dag();
    dag.AdjustLayer(*root);
    EXPECT_EQ(root->layer, 99);

    // Without users hi is 100 itself, so lo = 99 still lies below it.
    root->layer = 98;
    dag.AdjustLayer(*sink);
    EXPECT_EQ(sink->layer, 99);

    alone->layer = 0;
    dag.AdjustLayer(*alone);
    EXPECT_EQ(alone->layer, 100);
}

TEST(SetDAG, PlaceInLayersAppendsDepthFirstPreOrder)
{
    Graph g;
    TVertex* r = g.Vertex("r");
    TVertex* x = g.Vertex("x");
    TVertex* y = g.Vertex("y");
    TVertex* z = g.Vertex("z");
    Graph::Edge(r, x);
    Graph::Edge(r, y);
    Graph::Edge(x, z);
    Graph::Edge(y, z);
    r->layer = 0;
    x->layer = y->layer = 1;
    z->layer = 1;
    SetDAG dag = g.Dag();
    dag.PlaceInLayers(*r);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{x, z, y}));
    EXPECT_EQ(z->position, 1);
    dag.PlaceInLayers(*x);
    EXPECT_EQ(dag.Layers().At(1).size(), 3u) << "placed vertices are not placed again";
}

TEST(SetDAG, EqualPredecessorWeightsKeepTheirOrder)
{
    Graph g;
    TVertex* r = g.Vertex("r");
    TVertex* x = g.Vertex("x");
    TVertex* y = g.Vertex("y");
    Graph::Edge(r, y);
    Graph::Edge(r, x);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{y, x}));
    EXPECT_EQ(y->position, 0);
    EXPECT_LT(y->y, x->y);
}

TEST(SetDAG, EqualSuccessorWeightsKeepTheirOrder)
{
    Graph g;
    TVertex* y = g.Vertex("y");
    TVertex* x = g.Vertex("x");
    TVertex* s = g.Vertex("s");
    Graph::Edge(x, s);
    Graph::Edge(y, s);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(Row(dag, 0), (std::vector<const TVertex*>{y, x}));
    EXPECT_LT(y->y, x->y);
}

TEST(SetDAG, SweepOrdersByMeanPositionOfPredecessors)
{
    Graph g;
    TVertex* p0 = g.Vertex("p0");
    TVertex* p1 = g.Vertex("p1");
    TVertex* p2 = g.Vertex("p2");
    TVertex* late = g.Vertex("late");
    TVertex* early = g.Vertex("early");
    for (TVertex* p : {p0, p1, p2})
        p->layer = 0;
    late->layer = early->layer = 1;
    Graph::Edge(p1, late);
    Graph::Edge(p2, late);
    Graph::Edge(p0, early);
    Graph::Edge(p1, early);
    SetDAG dag = g.Dag();
    for (TVertex* v : {late, early, p0, p1, p2})
        dag.PlaceInLayers(*v);
    ASSERT_EQ(Row(dag, 1), (std::vector<const TVertex*>{late, early}));
    // Means (1 + 2) / 2 = 1 and (0 + 1) / 2 = 0, truncated.
    EXPECT_EQ(SetDAG::PositionWeight(*late, true), 1);
    EXPECT_EQ(SetDAG::PositionWeight(*early, true), 0);
    EXPECT_EQ(SetDAG::PositionWeight(*early, false), 1) << "no successors: its own position";
    dag.OrderLayer(1, true);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{early, late}));
    EXPECT_EQ(early->position, 0);
    EXPECT_EQ(late->position, 1);
}

TEST(SetDAG, SweepsUncrossEdgesBetweenLayers)
{
    // Placement puts d before c in layer 1, so the lines from b and e cross.
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    TVertex* e = g.Vertex("e");
    Graph::Edge(a, d);
    Graph::Edge(a, c);
    Graph::Edge(b, c);
    Graph::Edge(e, d);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(Row(dag, 0), (std::vector<const TVertex*>{a, b, e}));
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{c, d}));
}

TEST(SetDAG, LeftwardSweepsOrderByUsers)
{
    // Roots c and e share their user b, so the sweep by users brings them together.
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    TVertex* e = g.Vertex("e");
    Graph::Edge(c, b);
    Graph::Edge(d, a);
    Graph::Edge(e, b);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(Row(dag, 0), (std::vector<const TVertex*>{c, e, d}));
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{b, a}));
}

TEST(SetDAG, SixSweepsEndWithOneByUsers)
{
    // In layer 1, d has no users and the moved root c no predecessors: each keeps its own
    // position as weight, so the order swings between b d c (by predecessors) and b c d (by
    // users). The sixth sweep is by users.
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    TVertex* e = g.Vertex("e");
    Graph::Edge(a, b);
    Graph::Edge(a, d);
    Graph::Edge(b, e);
    Graph::Edge(c, e);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(c->layer, 1);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{b, c, d}));
}

TEST(SetDAG, PackingKeepsWishedHeightsWhereThereIsRoom)
{
    Graph g;
    g.h = 20;
    std::vector<TVertex*> above;
    std::vector<TVertex*> row;
    for (const char* name : {"r", "p", "q"}) {
        above.push_back(g.Vertex(std::string("from ") + name));
        row.push_back(g.Vertex(name));
        Graph::Edge(above.back(), row.back());
        above.back()->layer = 0;
        row.back()->layer = 1;
    }
    above[0]->y = 300;
    above[1]->y = 40;
    above[2]->y = 41;
    SetDAG dag = g.Dag();
    for (TVertex* v : above)
        dag.PlaceInLayers(*v);
    row[0]->x = 123;
    dag.PackLayer(1);
    EXPECT_EQ(row[1]->y, 40);
    EXPECT_EQ(row[2]->y, 80);
    EXPECT_EQ(row[0]->y, 300);
    for (const TVertex* v : row)
        EXPECT_EQ(v->x, 123);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{row[0], row[1], row[2]}))
        << "packing changes only heights";
    EXPECT_EQ(row[0]->position, 0);

    above[1]->y = 5;
    dag.PackLayer(1);
    EXPECT_EQ(row[1]->y, 20) << "no box above h";
}

TEST(SetDAG, HeightWeightIsTheMeanOverBothSides)
{
    Graph g;
    TVertex* p = g.Vertex("p");
    TVertex* v = g.Vertex("v");
    TVertex* s1 = g.Vertex("s1");
    TVertex* s2 = g.Vertex("s2");
    v->y = 999;
    EXPECT_EQ(SetDAG::HeightWeight(*v), 999);
    Graph::Edge(p, v);
    Graph::Edge(v, s1);
    Graph::Edge(v, s2);
    p->y = 10;
    s1->y = 20;
    s2->y = 31;
    EXPECT_EQ(SetDAG::HeightWeight(*v), 20);
}

TEST(SetDAG, SetPositionReturnsTheRightEndOfTheName)
{
    Graph g;
    TVertex* v = g.Vertex("v", 77);
    SetDAG dag = g.Dag();
    EXPECT_EQ(dag.SetPosition(*v, 100, 50), 177);
    EXPECT_EQ(v->x, 100);
    EXPECT_EQ(v->y, 50);
}

TEST(SetDAG, VerticalPassesAlignWithNeighboursAndLeaveWidestLayer)
{
    // Layer 1 is widest (three vertices); the sink in layer 2 moves to their mean height and the
    // root in layer 0 likewise.
    Graph g;
    TVertex* root = g.Vertex("root");
    std::vector<TVertex*> middle{g.Vertex("m0"), g.Vertex("m1"), g.Vertex("m2")};
    TVertex* sink = g.Vertex("sink");
    for (TVertex* m : middle) {
        Graph::Edge(root, m);
        Graph::Edge(m, sink);
    }
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(dag.Widest(), 1);
    EXPECT_EQ(middle[0]->y, g.h);
    EXPECT_EQ(middle[1]->y, 3 * g.h);
    EXPECT_EQ(middle[2]->y, 5 * g.h);
    EXPECT_EQ(root->y, 3 * g.h);
    EXPECT_EQ(sink->y, 3 * g.h);
}

TEST(SetDAG, VerticalPassesRightOfTheWidestLayerRunBothWays)
{
    // Layer 0 (a0 to a3) is widest; a0 to a2 are used by e, and a chain a3, b, c, d runs right.
    // The rightward pass moves b, c, d from the column heights; the leftward pass then lifts c
    // to its new neighbours and b after it; the last rightward pass settles the chain.
    Graph g;
    g.h = 10;
    TVertex* a0 = g.Vertex("a0");
    TVertex* a1 = g.Vertex("a1");
    TVertex* a2 = g.Vertex("a2");
    TVertex* a3 = g.Vertex("a3");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    TVertex* e = g.Vertex("e");
    for (TVertex* a : {a0, a1, a2})
        Graph::Edge(a, e);
    Graph::Edge(a3, b);
    Graph::Edge(b, c);
    Graph::Edge(c, d);
    SetDAG dag = g.Dag();
    dag.Layout();
    ASSERT_EQ(dag.Layers().Rows(), 4u);
    EXPECT_EQ(dag.Widest(), 0);
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{e, b}));
    EXPECT_EQ(a3->y, 70);
    EXPECT_EQ(e->y, 30);
    EXPECT_EQ(b->y, 55);
    EXPECT_EQ(c->y, 42);
    EXPECT_EQ(d->y, 42);
}

TEST(SetDAG, VerticalPassesLeftOfTheWidestLayerRunThreeTimes)
{
    // A chain c, a, b ends in the widest layer {e, d}, at 10 and 30. Leftwards: b 16, a 13,
    // c 13; rightwards: a 14, b 18; leftwards again: b 18, a 15, c 15.
    Graph g;
    g.h = 10;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    TVertex* d = g.Vertex("d");
    TVertex* e = g.Vertex("e");
    Graph::Edge(c, a);
    Graph::Edge(a, b);
    Graph::Edge(b, e);
    Graph::Edge(b, d);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(dag.Widest(), 3);
    EXPECT_EQ(e->y, 10);
    EXPECT_EQ(d->y, 30);
    EXPECT_EQ(b->y, 18);
    EXPECT_EQ(a->y, 15);
    EXPECT_EQ(c->y, 15);
}

TEST(SetDAG, WidestLayerIsTheFirstOfTheLargest)
{
    Graph g;
    TVertex* r0 = g.Vertex("r0");
    TVertex* r1 = g.Vertex("r1");
    TVertex* s0 = g.Vertex("s0");
    TVertex* s1 = g.Vertex("s1");
    Graph::Edge(r0, s0);
    Graph::Edge(r1, s1);
    SetDAG dag = g.Dag();
    dag.Layout();
    ASSERT_EQ(dag.Layers().Rows(), 2u);
    EXPECT_EQ(dag.Layers().At(1).size(), 2u);
    EXPECT_EQ(dag.Widest(), 0);
}

TEST(SetDAG, RowsStartFromTheRootsBeforeOtherVertices)
{
    Graph g;
    TVertex* b = g.Vertex("b");
    TVertex* r = g.Vertex("r");
    TVertex* a = g.Vertex("a");
    Graph::Edge(r, a);
    Graph::Edge(r, b);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(Row(dag, 1), (std::vector<const TVertex*>{a, b}));
}

TEST(SetDAG, LayersAreLongestPathsOnAcyclicGraphs)
{
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        Graph g;
        const int n = 12;
        std::vector<TVertex*> topological;
        for (int i = 0; i < n; ++i)
            topological.push_back(g.Vertex(std::string("v").append(std::to_string(i))));
        // Edges only from earlier to later in a hidden order; the master list is in name order,
        // which is not that order once shuffled.
        std::shuffle(topological.begin(), topological.end(), random);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (random() % 4 == 0)
                    Graph::Edge(topological[i], topological[j]);

        SetDAG dag = g.Dag();
        dag.SetDepth();
        std::vector<int> layers;
        for (const TVertex* v : g.master)
            layers.push_back(v->layer);
        for (TVertex* v : g.master)
            v->layer = -1;
        for (TVertex* v : g.master)
            if (!v->inList)
                ReferenceSetDepth(v, 0);
        for (size_t i = 0; i < g.master.size(); ++i)
            EXPECT_EQ(layers[i], g.master[i]->layer) << "round " << round << " vertex " << i;
    }
}

TEST(SetDAG, TwoCycleEnds)
{
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    Graph::Edge(a, b);
    Graph::Edge(b, a);
    g.Layout();
    EXPECT_EQ(a->layer, 0);
    EXPECT_EQ(b->layer, 1);
    ExpectAllPlaced(g.master);
}

TEST(SetDAG, SelfUseEnds)
{
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    Graph::Edge(a, a);
    Graph::Edge(a, b);
    g.Layout();
    EXPECT_EQ(a->layer, 0);
    EXPECT_EQ(b->layer, 1);
    ExpectAllPlaced(g.master);
}

TEST(SetDAG, CycleReachedFromRootEnds)
{
    Graph g;
    TVertex* b = g.Vertex("b");
    TVertex* a = g.Vertex("a");
    TVertex* r = g.Vertex("r");
    Graph::Edge(r, a);
    Graph::Edge(a, b);
    Graph::Edge(b, a);
    g.Layout();
    EXPECT_EQ(r->layer, 0);
    EXPECT_EQ(a->layer, 1);
    EXPECT_EQ(b->layer, 2);
    ExpectAllPlaced(g.master);
}

TEST(SetDAG, CycleNoRootReachesIsPlacedToo)
{
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* r = g.Vertex("r");
    TVertex* b = g.Vertex("b");
    TVertex* s = g.Vertex("s");
    TVertex* c = g.Vertex("c");
    Graph::Edge(r, s);
    Graph::Edge(a, b);
    Graph::Edge(b, c);
    Graph::Edge(c, a);
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(a->layer, 0);
    EXPECT_EQ(b->layer, 1);
    EXPECT_EQ(c->layer, 2);
    ExpectAllPlaced(g.master);
    size_t placed = 0;
    for (size_t k = 0; k < dag.Layers().Rows(); ++k)
        placed += dag.Layers().At(k).size();
    EXPECT_EQ(placed, g.master.size());
}

TEST(SetDAG, LongCycleEndsWithoutDeepRecursion)
{
    Graph g;
    const int n = 200000;
    std::vector<TVertex*> chain;
    for (int i = 0; i < n; ++i) {
        chain.push_back(g.Vertex(std::string("v").append(std::to_string(i))));
        if (i > 0)
            Graph::Edge(chain[i - 1], chain[i]);
    }
    Graph::Edge(chain.back(), chain.front());
    SetDAG dag = g.Dag();
    dag.Layout();
    EXPECT_EQ(chain.front()->layer, 0);
    EXPECT_EQ(chain.back()->layer, n - 1);
    EXPECT_EQ(dag.Layers().Rows(), static_cast<size_t>(n));
    ExpectAllPlaced(g.master);
}

TEST(SetDAG, LayoutAgainGivesTheSameResult)
{
    Graph g;
    TVertex* a = g.Vertex("a");
    TVertex* b = g.Vertex("b");
    TVertex* c = g.Vertex("c");
    Graph::Edge(a, c);
    Graph::Edge(b, c);
    Graph::Edge(c, a);
    g.Layout();
    std::vector<std::vector<int>> first;
    for (const TVertex* v : g.master)
        first.push_back({v->layer, v->position, v->x, v->y});
    g.Layout();
    for (size_t i = 0; i < g.master.size(); ++i) {
        const TVertex* v = g.master[i];
        EXPECT_EQ(first[i], (std::vector<int>{v->layer, v->position, v->x, v->y}));
    }
}
