#include "views/NameFilter.h"
#include "core/LoadHelpers.h"
#include "export/TOutline.h"
#include "script/TNameTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// Names in mixed case, a Windows-1252 "É" (0xC9) beside its small letter (0xE9), which only match
// themselves, and a table and a report that give the tree parts.
const std::string kDesign = "0 @Person@ RECORD\n"
                            "1 @NAME@ FIELD text\n2 TAG NAME\n"
                            "1 @BirthDate@ FIELD date\n2 TAG BIRT\n"
                            "1 @SHORTNAME@ PICTURE NAME\n"
                            "1 @long_Name@ PICTURE NAME BirthDate\n"
                            "1 @EDIT@ EDITPANEL NAME\n"
                            "0 @Place@ RECORD\n"
                            "1 @town\xC9@ FIELD text\n2 TAG PLAC\n"
                            "1 @where\xE9@ PICTURE town\xC9\n"
                            "0 @address@ GROUP\n"
                            "1 @Street@ FIELD text\n2 TAG ADDR\n"
                            "1 @fullAddress@ PICTURE Street\n"
                            "0 @Sex@ CHOICE\n1 WORD Male\n1 WORD female\n"
                            "0 @census@ TABLE\n1 TYPE Person\n1 COLUMN\n2 TITLE Name\n"
                            "2 WIDTH 30\n2 PICTURE NAME\n"
                            "0 @Births@ REPORT\n1 TYPE Person\n"
                            "0 TRLR\n";

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The plain reading of "holds": lower both, then look.
bool ReferenceHolds(std::string name, std::string text)
{
    for (char& c : name)
        c = Lower(c);
    for (char& c : text)
        c = Lower(c);
    return name.find(text) != std::string::npos;
}

std::vector<int> ReferenceRows(const TNameTable& names, const std::string& text)
{
    std::vector<int> rows;
    for (size_t i = 0; i < names.Count(); ++i)
        if (ReferenceHolds(names.Elements()[i]->name, text))
            rows.push_back(static_cast<int>(i));
    return rows;
}

// Every part of every name up to four bytes long, as written, in capitals and in small letters;
// texts no name holds, and the end of each name with the start of the next in table order.
std::vector<std::string> Texts(const TNameTable& names)
{
    std::set<std::string> texts{"", "zzz", "\xC9", "\xE9", "name_", "NAME NAME"};
    const auto& elements = names.Elements();
    for (size_t i = 1; i < elements.size(); ++i) {
        const std::string& before = elements[i - 1]->name;
        texts.insert(before.substr(before.size() - std::min<size_t>(before.size(), 2)) +
                     elements[i]->name.substr(0, 2));
    }
    for (const TDefBase* e : names.Elements())
        for (size_t at = 0; at < e->name.size(); ++at)
            for (size_t n = 1; n <= 4 && at + n <= e->name.size(); ++n) {
                std::string part = e->name.substr(at, n);
                texts.insert(part);
                for (char& c : part)
                    c = Lower(c);
                texts.insert(part);
                for (char& c : part)
                    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
                texts.insert(part);
            }
    return {texts.begin(), texts.end()};
}

// The outline as the filter should show it: a leaf stays when its label holds the text, a book
// when one of its children stays, the root always. Each kept node lists its kept children.
struct TReferenceTree {
    std::vector<bool> kept;
    std::vector<std::vector<int>> children;

    TReferenceTree(const TOutline& outline, const std::string& text)
        : kept(outline.Count()), children(outline.Count())
    {
        Keep(outline, TOutline::Root(), text);
        kept[TOutline::Root()] = true;
    }

    bool Keep(const TOutline& outline, int node, const std::string& text)
    {
        const TOutline::TNode& n = outline.Node(node);
        bool any = n.children.empty() && ReferenceHolds(n.label, text);
        for (const int child : n.children)
            if (Keep(outline, child, text)) {
                children[static_cast<size_t>(node)].push_back(child);
                any = true;
            }
        kept[static_cast<size_t>(node)] = any;
        return any;
    }
};

} // namespace

TEST(NameFilter, RowsAreThoseWhoseNameHoldsTheTextIgnoringAsciiCase)
{
    for (const char* path : {"", STEMLOOK_EXAMPLES_DIR "/family.kvd"}) {
        TDatabase db;
        ASSERT_TRUE(ReadDesign(db, path, kDesign)) << path;
        const TNameTable& names = db.Names();
        ASSERT_GT(names.Count(), 10U);
        const filter::TFoldedNames folded(names);
        EXPECT_EQ(folded.Count(), names.Count());
        for (const std::string& text : Texts(names))
            EXPECT_EQ(folded.Rows(text), ReferenceRows(names, text)) << text;
    }
}

TEST(NameFilter, OnlyAsciiLettersFold)
{
    EXPECT_TRUE(filter::Holds("long_Name", "G_n"));
    EXPECT_FALSE(filter::Holds("town\xC9", "town\xE9"));
    // '[' and '{' are one letter apart from 'Z' and 'z' but are no letters.
    EXPECT_FALSE(filter::Holds("[", "{"));
    EXPECT_TRUE(filter::Holds("", ""));
}

TEST(NameFilter, NarrowingGivesWhatFilteringFromScratchGives)
{
    TDatabase db;
    ASSERT_EQ(db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"), TDatabase::TLoadResult::Loaded);
    const filter::TFoldedNames names(db.Names());
    for (const std::string& text : Texts(db.Names())) {
        // Typing the text a key at a time, each step narrowing the rows of the one before.
        std::vector<int> rows = names.Rows("");
        for (size_t n = 1; n <= text.size(); ++n) {
            const std::string typed = text.substr(0, n);
            ASSERT_TRUE(filter::Narrows(text.substr(0, n - 1), typed));
            rows = names.Narrow(typed, rows);
            ASSERT_EQ(rows, names.Rows(typed)) << typed;
        }
    }
    EXPECT_TRUE(filter::Narrows("Am", "nAME"));
    EXPECT_FALSE(filter::Narrows("name", "nam"));
    EXPECT_FALSE(filter::Narrows("ab", "ba"));
    // Rows that are not in the table are dropped, not read.
    EXPECT_EQ(names.Narrow("", {-1, 0, static_cast<int>(names.Count())}), std::vector<int>{0});
}

TEST(NameFilter, TreeKeepsMatchingLeavesWithEveryAncestorExpanded)
{
    for (const char* path : {"", STEMLOOK_EXAMPLES_DIR "/family.kvd"}) {
        TDatabase db;
        ASSERT_TRUE(ReadDesign(db, path, kDesign)) << path;
        TOutline outline;
        outline.Fill(db.Definitions(), db.Name());
        std::set<std::string> texts{"", "zzz", "\xC9", "\xE9", "Fields", "picture"};
        for (size_t node = 0; node < outline.Count(); ++node) {
            const std::string& label = outline.Node(static_cast<int>(node)).label;
            for (size_t n = 1; n <= 3 && n <= label.size(); ++n) {
                std::string part = label.substr(label.size() / 2, n);
                texts.insert(part);
                for (char& c : part)
                    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
                texts.insert(part);
            }
        }
        for (const std::string& text : texts) {
            const filter::TKeptNodes kept(outline, text);
            const TReferenceTree reference(outline, text);
            std::vector<int> expanded;
            for (size_t node = 0; node < outline.Count(); ++node) {
                const int id = static_cast<int>(node);
                ASSERT_EQ(kept.Kept(id), reference.kept[node]) << text << " " << node;
                const std::vector<int>& children = reference.children[node];
                ASSERT_EQ(kept.ChildCount(id), static_cast<int>(children.size()));
                for (size_t row = 0; row < children.size(); ++row) {
                    ASSERT_EQ(kept.Child(id, static_cast<int>(row)), children[row]);
                    ASSERT_EQ(kept.Row(children[row]), static_cast<int>(row));
                }
                ASSERT_EQ(kept.Child(id, static_cast<int>(children.size())), -1);
                if (!children.empty())
                    expanded.push_back(id);
            }
            EXPECT_EQ(kept.Expanded(), expanded) << text;
        }
        EXPECT_FALSE(filter::TKeptNodes(outline, "zzz").Kept(static_cast<int>(outline.Count())));
    }
    const filter::TKeptNodes empty(TOutline{}, "a");
    EXPECT_FALSE(empty.Kept(TOutline::Root()));
    EXPECT_EQ(empty.ChildCount(TOutline::Root()), 0);
}
