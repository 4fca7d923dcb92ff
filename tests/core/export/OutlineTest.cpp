#include "core/LoadHelpers.h"
#include "export/TOutline.h"
#include "model/Kinds.h"

#include <gtest/gtest.h>

namespace {

// One line per node, indented two spaces a level: the label, "[book]" for a book, and the title
// of the element the node stands for.
void DumpNode(const TOutline& o, const TDefinedArray& defs, int id, int depth, std::string& out)
{
    const TOutline::TNode& n = o.Node(id);
    out += std::string(2 * static_cast<size_t>(depth), ' ') + n.label;
    if (n.book)
        out += " [book]";
    if (n.element != TOutline::kNone)
        out += " -> " + defs.At(static_cast<size_t>(n.element))->Title();
    out += '\n';
    for (int child : n.children)
        DumpNode(o, defs, child, depth + 1, out);
}

// The outline of the loaded design, after checking that every node's parent and row lead back
// to it.
std::string Outline(const TLoaded& t)
{
    TOutline o;
    o.Fill(t.db.Definitions(), t.db.Name());
    for (size_t id = 1; id < o.Count(); ++id) {
        const TOutline::TNode& n = o.Node(static_cast<int>(id));
        EXPECT_EQ(o.Node(n.parent).children.at(static_cast<size_t>(n.row)), static_cast<int>(id))
            << n.label;
    }
    EXPECT_EQ(o.Node(TOutline::Root()).parent, TOutline::kNone);
    std::string out;
    DumpNode(o, t.db.Definitions(), TOutline::Root(), 0, out);
    return out;
}

} // namespace

TEST(Outline, CategoriesInOrderOfFirstAppearanceAndOneOptionsLeaf)
{
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "0 TRUNC 46\n0 @G@ GROUP\n0 @Sex@ CHOICE\n1 WORD m\n0 SHOWRINS Y\n"
                    "0 LIST\n1 TYPE person\n0 @G2@ GROUP\n1 @Plan@ PLANPIC x\n0 DCHART\n"
                    "0 PRINTER lp\n0 TRLR\n",
                    "family");
    EXPECT_EQ(Outline(t), "family [book]\n"
                          "  Records [book]\n"
                          "    person [book]\n"
                          "      Fields -> Record person\n"
                          "  Options -> Options\n"
                          "  Groups [book]\n"
                          "    G [book] -> Group G\n"
                          "    G2 [book] -> Group G2\n"
                          "  Choices [book]\n"
                          "    Sex -> Choice Sex\n"
                          "  Lists [book]\n"
                          "    List 1: (person) -> List 1: (person) 0 entries\n"
                          "  Plan Pictures [book]\n"
                          "    Plan -> Plan picture script Plan\n"
                          "  Charts [book]\n"
                          "    Descendant Chart [book] -> Descendant Chart\n");
}

TEST(Outline, RecordWithFieldsPicturesEditPanelsTablesAndReports)
{
    const TLoaded t("0 @person@ RECORD\n1 @P1@ PICTURE a\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @E1@ EDITPANEL e\n1 @P2@ PICTURE b\n1 @born@ FIELD date\n2 TAG BIRT\n"
                    "0 @T1@ TABLE\n1 TYPE Person\n1 COLUMN\n2 PICTURE c\n1 COLUMN\n2 PICTURE d\n"
                    "1 PRINTINFO 80\n1 PRINTINFO 90\n"
                    "0 @R1@ REPORT\n1 TYPE person\n0 @T2@ TABLE\n1 TYPE family\n0 TRLR\n");
    EXPECT_EQ(Outline(t), "test [book]\n"
                          "  Records [book]\n"
                          "    person [book]\n"
                          "      Fields -> Record person\n"
                          "      Pictures [book]\n"
                          "        P1 -> person picture script P1\n"
                          "        P2 -> person picture script P2\n"
                          "      Edit Panels [book]\n"
                          "        E1 -> person Edit panel E1\n"
                          "      Tables [book]\n"
                          "        T1 [book]\n"
                          "          Layout -> Person Table T1\n"
                          "          Pictures [book]\n"
                          "            Col. 1 -> Person Table T1 Col. 1\n"
                          "            Col. 2 -> Person Table T1 Col. 2\n"
                          "          Print Settings -> Person Table T1 Print Settings\n"
                          "      Reports [book]\n"
                          "        R1 [book]\n"
                          "          Layout -> person Report R1\n");
    // Of the table's two print settings, the leaf stands for the first.
    TOutline o;
    o.Fill(t.db.Definitions(), "test");
    int leaf = TOutline::kNone;
    for (size_t id = 0; id < o.Count(); ++id)
        if (o.Node(static_cast<int>(id)).label == "Print Settings")
            leaf = o.Node(static_cast<int>(id)).element;
    ASSERT_NE(leaf, TOutline::kNone);
    EXPECT_EQ(t.At(static_cast<size_t>(leaf))->kind, kinds::PrintSettings);
    EXPECT_EQ(t.At(static_cast<size_t>(leaf) + 1)->kind, kinds::PrintSettings);
}

TEST(Outline, TablesAndReportsFollowTheirRecord)
{
    // Parts are looked for after their owner only, so a table declared before its record is not
    // shown; a second record of the same name (letter case aside) shows the later table too.
    const TLoaded t("0 @T0@ TABLE\n1 TYPE person\n0 @person@ RECORD\n0 @T1@ TABLE\n1 TYPE person\n"
                    "0 @PERSON@ RECORD\n0 @R1@ REPORT\n1 TYPE PERSON\n0 TRLR\n");
    EXPECT_EQ(Outline(t), "test [book]\n"
                          "  Records [book]\n"
                          "    person [book]\n"
                          "      Tables [book]\n"
                          "        T1 [book]\n"
                          "          Layout -> person Table T1\n"
                          "      Reports [book]\n"
                          "        R1 [book]\n"
                          "          Layout -> PERSON Report R1\n"
                          "    PERSON [book]\n"
                          "      Reports [book]\n"
                          "        R1 [book]\n"
                          "          Layout -> PERSON Report R1\n");
}

TEST(Outline, GroupsShowFieldsAndPicturesOnlyAndChartsTheirParts)
{
    const TLoaded t("0 @G@ GROUP\n1 @P@ PICTURE a\n1 @E@ EDITPANEL b\n1 @late@ FIELD text\n"
                    "2 TAG L\n0 @Empty@ GROUP\n0 ACHART\n1 BRIEF x\n1 PRINTINFO 1\n1 NORMAL y\n"
                    "0 TREE\n0 TRLR\n");
    EXPECT_EQ(Outline(t), "test [book]\n"
                          "  Groups [book]\n"
                          "    G [book]\n"
                          "      Fields -> Group G\n"
                          "      Pictures [book]\n"
                          "        P -> G picture script P\n"
                          "    Empty [book] -> Group Empty\n"
                          "  Charts [book]\n"
                          "    Ancestor Chart [book]\n"
                          "      Pictures [book]\n"
                          "        Brief -> Ancestor Chart picture script Brief\n"
                          "        Normal -> Ancestor Chart picture script Normal\n"
                          "      Print Settings -> Ancestor Chart Print Settings\n"
                          "    Tree [book] -> Tree\n");
}

TEST(Outline, EmptyDesignIsTheRootAlone)
{
    const TLoaded t("0 TRLR\n", "none");
    EXPECT_EQ(Outline(t), "none [book]\n");
    TOutline o;
    o.Fill(t.db.Definitions(), "none");
    EXPECT_TRUE(o.IsLeaf(TOutline::Root()));
}
