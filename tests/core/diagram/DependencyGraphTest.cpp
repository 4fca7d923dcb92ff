#include "diagram/DependencyGraph.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A hand-built design: elements in the definition array, used-by sets filled directly.
struct Design {
    TDefinedArray defs;
    TVertexList master{TVertexList::Ownership::Owns};

    TDefBase* Picture(const std::string& name, int kind = kinds::Picture)
    {
        return defs.Add(new TDefPicture(kind, name, "", nullptr));
    }
    TDefBase* Element(int kind, const std::string& name)
    {
        return defs.Add(new TDefBase(kind, name, nullptr));
    }
    static void Uses(TDefBase* user, TDefBase* used) { used->Users().Add(user); }

    void Build() { graph::BuildGraph(defs, master); }
    std::vector<const TDefBase*> Vertices() const
    {
        std::vector<const TDefBase*> result;
        for (const TVertex* v : master)
            result.push_back(v->element);
        return result;
    }
};

std::vector<const TDefBase*> Elements(const TVertexList* list)
{
    std::vector<const TDefBase*> result;
    if (list)
        for (const TVertex* v : *list)
            result.push_back(v->element);
    return result;
}

} // namespace

TEST(DependencyGraph, DesignWithoutUsesAmongPicturesGivesEmptyGraph)
{
    Design noPictures;
    TDefBase* record = noPictures.Element(kinds::Record, "person");
    Design::Uses(noPictures.Element(kinds::Group, "event"), record);
    noPictures.Build();
    EXPECT_TRUE(noPictures.master.empty());

    Design unrelated;
    unrelated.Picture("a");
    Design::Uses(unrelated.Element(kinds::Record, "person"), unrelated.Picture("b"));
    unrelated.Build();
    EXPECT_TRUE(unrelated.master.empty());
}

TEST(DependencyGraph, PictureUsedOnlyByOtherKindsIsDropped)
{
    Design d;
    TDefBase* a = d.Picture("a");
    TDefBase* dropped = d.Picture("dropped");
    TDefBase* b = d.Picture("b");
    TDefBase* record = d.Element(kinds::Record, "person");
    Design::Uses(record, dropped);
    Design::Uses(d.Element(kinds::Group, "event"), dropped);
    Design::Uses(d.Element(kinds::Field, "born"), dropped);
    Design::Uses(d.Element(kinds::BuiltIn, "internal use"), dropped);
    Design::Uses(b, a);
    Design::Uses(record, a);
    d.Build();
    EXPECT_EQ(d.Vertices(), (std::vector<const TDefBase*>{a, b}));
    EXPECT_EQ(graph::FindVertex(d.master, dropped), nullptr);
    EXPECT_EQ(Elements(graph::FindVertex(d.master, a)->outList.get()),
              (std::vector<const TDefBase*>{b}));
}

TEST(DependencyGraph, PlanPicturesAndEditPanelsNeverBecomeVertices)
{
    Design d;
    TDefBase* usedByPlan = d.Picture("usedbyplan");
    TDefBase* plan = d.Picture("plan", kinds::PlanPicture);
    TDefBase* panel = d.Picture("panel", kinds::EditPanel);
    TDefBase* usedByPanel = d.Picture("usedbypanel");
    TDefBase* user = d.Picture("user");
    Design::Uses(plan, usedByPlan);
    Design::Uses(panel, usedByPanel);
    Design::Uses(user, plan);
    Design::Uses(user, panel);
    d.Build();
    EXPECT_TRUE(d.master.empty());
    EXPECT_EQ(graph::FindVertex(d.master, plan), nullptr);
}

TEST(DependencyGraph, EdgesFollowUsedByOrderAndMasterListKeepsArrayOrder)
{
    Design d;
    TDefBase* u1 = d.Picture("u1");
    TDefBase* isolated = d.Picture("isolated");
    TDefBase* used = d.Picture("used");
    d.Element(kinds::Record, "person");
    TDefBase* u2 = d.Picture("u2");
    TDefBase* u3 = d.Picture("u3");
    Design::Uses(u3, used);
    Design::Uses(u1, used);
    Design::Uses(u2, used);
    d.Build();

    EXPECT_EQ(d.Vertices(), (std::vector<const TDefBase*>{u1, used, u2, u3}));
    EXPECT_EQ(graph::FindVertex(d.master, isolated), nullptr);
    const TVertex* v = graph::FindVertex(d.master, used);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->inList, nullptr);
    EXPECT_EQ(Elements(v->outList.get()), (std::vector<const TDefBase*>{u3, u1, u2}));
    for (const TDefBase* u : {u1, u2, u3}) {
        const TVertex* userVertex = graph::FindVertex(d.master, u);
        EXPECT_EQ(Elements(userVertex->inList.get()), (std::vector<const TDefBase*>{used}));
        EXPECT_EQ(userVertex->outList, nullptr);
    }
}

TEST(DependencyGraph, SelfUseIsAnEdgeThatKeepsThePicture)
{
    Design d;
    TDefBase* self = d.Picture("self");
    Design::Uses(self, self);
    d.Build();
    ASSERT_EQ(d.master.size(), 1u);
    EXPECT_EQ(Elements(d.master[0]->inList.get()), (std::vector<const TDefBase*>{self}));
    EXPECT_EQ(Elements(d.master[0]->outList.get()), (std::vector<const TDefBase*>{self}));
}

TEST(DependencyGraph, UserOutsideTheArrayGivesNoEdge)
{
    Design d;
    TDefBase* a = d.Picture("a");
    TDefBase* b = d.Picture("b");
    // Neither is in the array: one has no index, the other claims b's index.
    TDefPicture stray(kinds::Picture, "stray", "", nullptr);
    TDefPicture impostor(kinds::Picture, "impostor", "", nullptr);
    impostor.index = b->index;
    Design::Uses(&stray, a);
    Design::Uses(&impostor, a);
    d.Build();
    EXPECT_TRUE(d.master.empty());
}

TEST(DependencyGraph, FindVertexMissesRecordsFieldsAndNothing)
{
    Design d;
    TDefBase* a = d.Picture("a");
    TDefBase* b = d.Picture("b");
    TDefBase* record = d.Element(kinds::Record, "person");
    TDefBase* field = d.Element(kinds::Field, "born");
    Design::Uses(b, a);
    Design::Uses(a, record);
    Design::Uses(b, field);
    d.Build();
    EXPECT_EQ(graph::FindVertex(d.master, record), nullptr);
    EXPECT_EQ(graph::FindVertex(d.master, field), nullptr);
    EXPECT_EQ(graph::FindVertex(d.master, nullptr), nullptr);
    ASSERT_NE(graph::FindVertex(d.master, b), nullptr);
    EXPECT_EQ(graph::FindVertex(d.master, b)->element, b);
}

TEST(TVertexList, RemoveIfKeepsTheOrderOfTheRest)
{
    TDefBase a(kinds::Picture, "a", nullptr);
    TDefBase b(kinds::Picture, "b", nullptr);
    TDefBase c(kinds::Picture, "c", nullptr);
    TVertexList list(TVertexList::Ownership::Owns);
    for (TDefBase* e : {&a, &b, &c})
        list.Add(new TVertex(e));
    list.RemoveIf([&b](const TVertex& v) { return v.element != &b; });
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->element, &b);

    TVertexList refers;
    list.Add(new TVertex(&c));
    for (TVertex* v : list)
        refers.Add(v);
    refers.RemoveIf([&b](const TVertex& v) { return v.element == &b; });
    ASSERT_EQ(refers.size(), 1u);
    // The referring list destroyed nothing: the owning list still holds both vertices.
    EXPECT_EQ(list[0]->element, &b);
    EXPECT_EQ(list[1]->element, &c);
}
