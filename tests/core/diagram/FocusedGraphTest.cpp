#include "diagram/FocusedGraph.h"
#include "core/LoadHelpers.h"
#include "diagram/DependencyGraph.h"
#include "diagram/SetDAG.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Titles = std::vector<std::string>;

// Names of letters only: a digit would end a name in a script.
std::string Name(char prefix, int n)
{
    return {prefix, static_cast<char>('a' + n / 26 % 26), static_cast<char>('a' + n % 26)};
}

// A design of records whose pictures name pictures anywhere (so cycles occur), call pictures
// on a link field, end lines on a link field (the link rule: the first picture of that record
// is used), and are named by edit panels and plan pictures, which the graph leaves out. The
// first picture of every third record is defined twice: a used-by set keeps only the first of
// two equal users. The same seed gives the same design.
std::string RandomDesign(unsigned seed, int records, int picturesPerRecord)
{
    std::mt19937 random(seed);
    const auto pick = [&random](int bound) {
        return static_cast<int>(random() % static_cast<unsigned>(bound));
    };
    const int pictures = records * picturesPerRecord;
    std::string text;
    for (int r = 0; r < records; ++r) {
        // Loading needs a record named person.
        text += "0 @" + (r == 0 ? std::string("person") : Name('r', r)) + "@ RECORD\n";
        text += "1 @" + Name('f', 0) + "@ FIELD text\n2 TAG NAME\n";
        const int linked = pick(records);
        text += "1 @" + Name('f', 1) + "@ FIELD " + (linked == 0 ? "person" : Name('r', linked)) +
                "\n2 TAG LINK\n";
        for (int k = 0; k < picturesPerRecord; ++k) {
            const int p = r * picturesPerRecord + k;
            const int copies = k == 0 && r % 3 == 0 ? 2 : 1;
            for (int copy = 0; copy < copies; ++copy) {
                std::string script;
                const int terms = 1 + pick(4);
                for (int t = 0; t < terms; ++t) {
                    switch (pick(5)) {
                    case 0:
                    case 1:
                        script += Name('p', pick(pictures)) + " ";
                        break;
                    case 2:
                        script += Name('p', pick(pictures)) + "(" + Name('f', 1) + ") ";
                        break;
                    case 3:
                        script += Name('f', 1) + "\n2 CONT ";
                        break;
                    default:
                        script += Name('f', 0) + " \"x\" ";
                        break;
                    }
                }
                text += "1 @" + Name('p', p) + "@ PICTURE " + script + "\n";
            }
        }
        text += "1 @" + Name('e', r) + "@ EDITPANEL " + Name('p', pick(pictures)) + "\n";
        text += "1 @" + Name('l', r) + "@ PLANPIC " + Name('p', pick(pictures)) + "\n";
    }
    return text + "0 TRLR\n";
}

// The vertices reached from start by following one edge list up to depth steps.
void Reach(TVertex* start, int depth, bool uses, std::set<const TDefBase*>& reached)
{
    std::set<TVertex*> seen{start};
    std::vector<TVertex*> frontier{start};
    for (int step = 0; step < depth; ++step) {
        std::vector<TVertex*> next;
        for (TVertex* v : frontier) {
            const TVertexList* side = uses ? v->inList.get() : v->outList.get();
            if (side)
                for (TVertex* n : *side)
                    if (seen.insert(n).second)
                        next.push_back(n);
        }
        frontier = next;
    }
    for (const TVertex* v : seen)
        reached.insert(v->element);
}

// A graph as text: per vertex in list order, its name, what it uses and what uses it. Equal
// elements share a name: indexed adds each one's place in the array.
Titles Describe(const TVertexList& master, bool indexed,
                const std::set<const TDefBase*>* keep = nullptr)
{
    const auto Label = [indexed](const TDefBase* element) {
        return indexed ? element->name + "@" + std::to_string(element->index) : element->name;
    };
    Titles lines;
    const auto side = [keep, &Label](const TVertexList* list) {
        std::string text;
        if (list)
            for (const TVertex* n : *list)
                if (!keep || keep->count(n->element))
                    text += " " + Label(n->element);
        return text;
    };
    for (const TVertex* v : master)
        if (!keep || keep->count(v->element))
            lines.push_back(Label(v->element) + " <" + side(v->inList.get()) + " >" +
                            side(v->outList.get()));
    return lines;
}

// The reference: the whole graph cut down to what a breadth-first search reaches each way.
Titles Expected(const TDefinedArray& defs, TDefBase& focus, int depth)
{
    TVertexList full(TVertexList::Ownership::Owns);
    graph::BuildGraph(defs, full);
    TVertex* start = graph::FindVertex(full, &focus);
    if (!start)
        return {focus.name + "@" + std::to_string(focus.index) + " < >"};
    std::set<const TDefBase*> keep;
    Reach(start, depth, true, keep);
    Reach(start, depth, false, keep);
    return Describe(full, true, &keep);
}

Titles Focused(const TDefinedArray& defs, TDefBase& focus, int depth, bool indexed = false)
{
    TVertexList master(TVertexList::Ownership::Owns);
    graph::BuildFocusedGraph(defs, focus, depth, master);
    return Describe(master, indexed);
}

TDefBase& Titled(const TLoaded& t, const std::string& title)
{
    TDefBase* element = t.Titled(title);
    if (!element)
        throw std::runtime_error("no element " + title);
    return *element;
}

} // namespace

TEST(FocusedGraph, MatchesTheWholeGraphCutDownAroundEveryPicture)
{
    size_t checked = 0, larger = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const TLoaded t(RandomDesign(seed, 6 + static_cast<int>(seed), 4));
        ASSERT_EQ(t.db.InternalError(), "");
        const TDefinedArray& defs = t.db.Definitions();
        for (size_t i = 0; i < defs.Count(); ++i) {
            TDefBase& focus = *defs.At(i);
            if (focus.kind != kinds::Picture)
                continue;
            for (int depth = 1; depth <= 3; ++depth) {
                const Titles expected = Expected(defs, focus, depth);
                ASSERT_EQ(Focused(defs, focus, depth, true), expected)
                    << "seed " << seed << ", " << focus.Title() << ", depth " << depth;
                ++checked;
                larger += expected.size() > 3;
            }
        }
    }
    // The designs are not trivially small parts only.
    EXPECT_GT(checked, 300u);
    EXPECT_GT(larger, checked / 2);
}

TEST(FocusedGraph, FollowsEachDirectionOnItsOwnWithoutSiblings)
{
    // pab and pad both use pac; pac uses pae; paf uses pab.
    const TLoaded t("0 @person@ RECORD\n1 @faa@ FIELD text\n2 TAG NAME\n"
                    "1 @pab@ PICTURE pac\n1 @pac@ PICTURE pae\n1 @pad@ PICTURE pac\n"
                    "1 @pae@ PICTURE faa\n1 @paf@ PICTURE pab\n0 TRLR\n");
    const TDefinedArray& defs = t.db.Definitions();
    // Up from pab reaches pac and pae, down reaches paf; pad shares pac but is no neighbour.
    EXPECT_EQ(Focused(defs, Titled(t, "person picture script pab"), 2),
              (Titles{"pab < pac > paf", "pac < pae > pab", "pae < > pac", "paf < pab >"}));
    // From pac: both users and, beyond pab, its user paf.
    EXPECT_EQ(Focused(defs, Titled(t, "person picture script pac"), 2).size(), 5u);
    EXPECT_EQ(Focused(defs, Titled(t, "person picture script pac"), 1).size(), 4u);
}

TEST(FocusedGraph, CyclesEndAndKeepTheirEdges)
{
    const TLoaded t("0 @person@ RECORD\n1 @faa@ FIELD text\n2 TAG NAME\n"
                    "1 @pab@ PICTURE pac\n1 @pac@ PICTURE pad\n1 @pad@ PICTURE pab\n0 TRLR\n");
    TVertexList master(TVertexList::Ownership::Owns);
    graph::BuildFocusedGraph(t.db.Definitions(), Titled(t, "person picture script pab"), 5, master);
    EXPECT_EQ(Describe(master, false),
              (Titles{"pab < pac > pad", "pac < pad > pab", "pad < pab > pac"}));
    SetDAG dag(
        master, [](std::string_view name) { return static_cast<int>(name.size()); }, 10);
    dag.Layout();
    for (const TVertex* v : master)
        EXPECT_GE(v->layer, 0) << v->element->Title();
}

TEST(FocusedGraph, TheFocusIsAlwaysThereEvenWithoutEdges)
{
    const TLoaded t("0 @person@ RECORD\n1 @faa@ FIELD text\n2 TAG NAME\n"
                    "1 @pab@ PICTURE faa\n1 @Edit@ EDITPANEL pab\n0 TRLR\n");
    const TDefinedArray& defs = t.db.Definitions();
    TDefBase& lone = Titled(t, "person picture script pab");
    // Used by the edit panel only, which is not a picture of the graph.
    EXPECT_EQ(Focused(defs, lone, 3), Titles{"pab < >"});
    EXPECT_EQ(Focused(defs, Titled(t, "person Edit panel Edit"), 3), Titles{"Edit < >"});

    TDefinedArray empty;
    TDefPicture outside(kinds::Picture, "outside", "", nullptr);
    EXPECT_EQ(Focused(empty, outside, 2), Titles{"outside < >"});
    // An element the array does not hold is not followed into the array.
    TDefPicture stranger(kinds::Picture, "pac", "", nullptr);
    stranger.index = lone.index;
    EXPECT_EQ(Focused(defs, stranger, 2), Titles{"pac < >"});
}

TEST(FocusedGraph, DepthIsClampedToOneToFive)
{
    // paa uses pab uses ... pag: a chain of seven.
    std::string text = "0 @person@ RECORD\n1 @faa@ FIELD text\n2 TAG NAME\n";
    for (int i = 0; i < 7; ++i)
        text += "1 @" + Name('p', i) + "@ PICTURE " + (i < 6 ? Name('p', i + 1) : "faa") + "\n";
    const TLoaded t(text + "0 TRLR\n");
    const TDefinedArray& defs = t.db.Definitions();
    TDefBase& first = Titled(t, "person picture script paa");
    EXPECT_EQ(graph::ClampFocusDepth(-3), 1);
    EXPECT_EQ(graph::ClampFocusDepth(9), 5);
    EXPECT_EQ(Focused(defs, first, 0).size(), 2u);
    EXPECT_EQ(Focused(defs, first, -3), Focused(defs, first, 1));
    EXPECT_EQ(Focused(defs, first, 5).size(), 6u);
    EXPECT_EQ(Focused(defs, first, 100), Focused(defs, first, 5));
}
