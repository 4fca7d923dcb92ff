#include "core/LoadHelpers.h"
#include "core/export/RecordingHost.h"
#include "export/TOutline.h"
#include "export/TSelectionTree.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

using Titles = std::vector<std::string>;

namespace {

// Leaves in tree order: the record's Fields, picture P, edit panel E, table T's Layout, column
// picture and print settings; the choice; the list; the options; the chart's picture.
const char* const kDesign = "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @P@ PICTURE p\n1 @E@ EDITPANEL e\n"
                            "0 @Sex@ CHOICE\n1 WORD m\n"
                            "0 LIST\n1 TYPE person\n"
                            "0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 PICTURE c\n1 PRINTINFO 80\n"
                            "0 TRUNC 46\n0 ACHART\n1 BRIEF b\n0 TRLR\n";

struct TSelection {
    TLoaded loaded{kDesign};
    TOutline outline;
    std::unique_ptr<TSelectionTree> tree;

    TSelection()
    {
        outline.Fill(loaded.db.Definitions(), loaded.db.Name());
        tree = std::make_unique<TSelectionTree>(outline, loaded.db.Definitions());
    }

    // The first node with this label, depth first.
    int Node(const std::string& label, int from = TOutline::Root()) const
    {
        if (outline.Node(from).label == label)
            return from;
        for (int child : outline.Node(from).children)
            if (int found = Node(label, child); found != TOutline::kNone)
                return found;
        return TOutline::kNone;
    }
    TCheckState State(const std::string& label) const { return tree->State(Node(label)); }

    // The titles of the elements of the checked leaves, in tree order.
    Titles Checked(int from = TOutline::Root()) const
    {
        Titles out;
        const TOutline::TNode& n = outline.Node(from);
        if (n.children.empty() && tree->State(from) == TCheckState::Checked)
            out.push_back(loaded.At(static_cast<size_t>(n.element))->Title());
        for (int child : n.children)
            for (auto& t : Checked(child))
                out.push_back(t);
        return out;
    }
    Titles Quick(unsigned bits)
    {
        tree->ApplyQuickSelection(bits);
        return Checked();
    }
    std::string Document()
    {
        TRecordingHost host;
        std::ostringstream out;
        tree->WriteChecked(out, loaded.db.Name(), host);
        EXPECT_TRUE(host.errors.empty());
        return out.str();
    }
};

const std::string kHeading = "Kinvault Specifications for test Database\n\n";

} // namespace

TEST(QuickSelection, EachBitChecksItsKinds)
{
    TSelection s;
    EXPECT_EQ(s.Quick(0), Titles{});
    EXPECT_EQ(s.Quick(TSelectionTree::kGroupsAndRecords), (Titles{"Record person", "Choice Sex"}));
    EXPECT_EQ(s.Quick(TSelectionTree::kPictures),
              (Titles{"person picture script P", "person Table T Col. 1",
                      "Ancestor Chart picture script Brief"}));
    EXPECT_EQ(s.Quick(TSelectionTree::kLists), Titles{"List 1: (person) 0 entries"});
    EXPECT_EQ(s.Quick(TSelectionTree::kTablesAndReports), Titles{"person Table T"});
    EXPECT_EQ(s.Quick(TSelectionTree::kSettings), Titles{"Options"});
    EXPECT_EQ(s.Quick(TSelectionTree::kSettings | TSelectionTree::kTablesAndReports),
              (Titles{"person Table T", "person Table T Print Settings", "Options"}));
}

TEST(QuickSelection, CombinationsCheckTheUnionOfTheirBits)
{
    TSelection s;
    std::vector<std::set<std::string>> single;
    for (unsigned bit = 1; bit <= 16; bit <<= 1) {
        const Titles t = s.Quick(bit);
        single.emplace_back(t.begin(), t.end());
    }
    for (unsigned bits = 0; bits <= TSelectionTree::kAll; ++bits) {
        std::set<std::string> expected;
        for (unsigned i = 0; i < 5; ++i)
            if (bits & (1u << i))
                expected.insert(single[i].begin(), single[i].end());
        if ((bits & 8) && (bits & 16))
            expected.insert("person Table T Print Settings");
        const Titles t = s.Quick(bits);
        EXPECT_EQ(std::set<std::string>(t.begin(), t.end()), expected) << bits;
        EXPECT_EQ(s.tree->AnythingChecked(), !expected.empty()) << bits;
    }
}

TEST(QuickSelection, InnerNodesFollowTheirChildren)
{
    TSelection s;
    s.tree->ApplyQuickSelection(3); // as the dialog opens
    EXPECT_EQ(s.State("Records"), TCheckState::Partly);
    EXPECT_EQ(s.State("person"), TCheckState::Partly);
    EXPECT_EQ(s.State("Pictures"), TCheckState::Checked); // the record's
    EXPECT_EQ(s.State("Edit Panels"), TCheckState::Unchecked);
    EXPECT_EQ(s.State("T"), TCheckState::Partly);
    EXPECT_EQ(s.State("Choices"), TCheckState::Checked);
    EXPECT_EQ(s.State("Lists"), TCheckState::Unchecked);
    EXPECT_EQ(s.State("Charts"), TCheckState::Checked);
    EXPECT_EQ(s.tree->State(TOutline::Root()), TCheckState::Partly);
    s.tree->SetAllUnchecked();
    EXPECT_FALSE(s.tree->AnythingChecked());
    EXPECT_EQ(s.State("Choices"), TCheckState::Unchecked);
}

TEST(Toggle, CategoryTwiceChecksThenUnchecksEverythingBelow)
{
    TSelection s;
    s.tree->ApplyQuickSelection(0);
    s.tree->Toggle(s.Node("Records"));
    EXPECT_EQ(s.Checked(),
              (Titles{"Record person", "person picture script P", "person Edit panel E",
                      "person Table T", "person Table T Col. 1", "person Table T Print Settings"}));
    EXPECT_EQ(s.State("T"), TCheckState::Checked);
    EXPECT_EQ(s.State("Records"), TCheckState::Checked);
    EXPECT_EQ(s.tree->State(TOutline::Root()), TCheckState::Partly);
    s.tree->Toggle(s.Node("Records"));
    EXPECT_EQ(s.Checked(), Titles{});
    EXPECT_EQ(s.State("person"), TCheckState::Unchecked);
    EXPECT_FALSE(s.tree->AnythingChecked());
}

TEST(Toggle, PartlyCheckedNodeIsUnchecked)
{
    TSelection s;
    s.tree->ApplyQuickSelection(TSelectionTree::kGroupsAndRecords);
    ASSERT_EQ(s.State("person"), TCheckState::Partly);
    s.tree->Toggle(s.Node("person"));
    EXPECT_EQ(s.Checked(), Titles{"Choice Sex"});
    EXPECT_EQ(s.State("Records"), TCheckState::Unchecked);
}

TEST(Toggle, PartlyCheckedParentBecomesCheckedWithItsLastChild)
{
    TSelection s;
    s.tree->ApplyQuickSelection(0);
    const int table = s.Node("T");
    const auto& leaves = s.outline.Node(table).children; // Layout, Pictures, Print Settings
    ASSERT_EQ(leaves.size(), 3u);
    s.tree->Toggle(leaves[0]);
    s.tree->Toggle(leaves[1]);
    EXPECT_EQ(s.tree->State(table), TCheckState::Partly);
    EXPECT_EQ(s.State("Tables"), TCheckState::Partly);
    EXPECT_EQ(s.State("person"), TCheckState::Partly);
    s.tree->Toggle(leaves[2]);
    EXPECT_EQ(s.tree->State(table), TCheckState::Checked);
    EXPECT_EQ(s.State("Tables"), TCheckState::Checked);
    EXPECT_EQ(s.State("person"), TCheckState::Partly);
}

TEST(WriteChecked, HeadingThenEachCheckedElementOnce)
{
    TSelection s;
    s.tree->ApplyQuickSelection(TSelectionTree::kPictures | TSelectionTree::kTablesAndReports);
    s.Document(); // what one document wrote does not keep the next from writing it
    // The column picture, checked with its table, is written with the table only.
    EXPECT_EQ(s.Document(), kHeading + "person picture script P\n\tp\n\n\n" +
                                "person Table T\n\tColumns:-\n\tTitle\tWidth\tPosition\n"
                                "\t\t0\t\n\n\tPicture Script:\n\t\tc\n\n\n\n" +
                                "Ancestor Chart picture script Brief\n\tb\n\n\n");
}

TEST(WriteChecked, ColumnPictureAloneHeadsItself)
{
    TSelection s;
    s.tree->ApplyQuickSelection(0);
    EXPECT_EQ(s.Document(), kHeading);
    s.tree->Toggle(s.Node("Col. 1"));
    EXPECT_EQ(s.Document(), kHeading + "person Table T Picture scripts:-\n\n\tCol. 1\tc\n\n\n");
    s.tree->Toggle(s.Node("Options"));
    const std::string document = s.Document();
    const std::string end = "Show Lines\tNo\n\n\n";
    EXPECT_EQ(document.substr(document.size() - end.size()), end);
}
