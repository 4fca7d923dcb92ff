#include "diagram/Dot.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <gtest/gtest.h>
#include <sstream>

TEST(Dot, EmptyGraphHasOnlyTheFrame)
{
    TVertexList master(TVertexList::Ownership::Owns);
    std::ostringstream out;
    dot::WriteDot(out, master);
    EXPECT_EQ(out.str(), "digraph relationships {\n"
                         "  node [shape=box, style=rounded];\n"
                         "}\n");
}

TEST(Dot, NodesInListOrderThenEdgesFromUsedToUser)
{
    TDefinedArray defs;
    defs.Add(new TDefBase(kinds::Record, "person", nullptr));
    TDefBase* used = defs.Add(new TDefBase(kinds::Picture, "say \"hi\" \\ now", nullptr));
    TDefBase* first = defs.Add(new TDefBase(kinds::Picture, "first", nullptr));
    TDefBase* second = defs.Add(new TDefBase(kinds::Picture, "second", nullptr));
    TVertexList master(TVertexList::Ownership::Owns);
    auto* u = new TVertex(used);
    auto* a = new TVertex(first);
    auto* b = new TVertex(second);
    for (TVertex* v : {a, u, b})
        master.Add(v);
    u->AddUser(b);
    u->AddUser(a);
    a->AddUser(b);
    a->x = 16;
    a->y = 16;
    u->x = 200;
    u->y = 48;
    b->x = 410;

    std::ostringstream out;
    dot::WriteDot(out, master);
    EXPECT_EQ(out.str(), "digraph relationships {\n"
                         "  node [shape=box, style=rounded];\n"
                         "  v2 [label=\"first\", pos=\"16,-16\"];\n"
                         "  v1 [label=\"say \\\"hi\\\" \\\\ now\", pos=\"200,-48\"];\n"
                         "  v3 [label=\"second\", pos=\"410,0\"];\n"
                         "  v2 -> v3;\n"
                         "  v1 -> v3;\n"
                         "  v1 -> v2;\n"
                         "}\n");
}
