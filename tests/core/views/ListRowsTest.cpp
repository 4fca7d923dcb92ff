#include "views/ListRows.h"
#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Two records with a field "name" each; "BORN" of "person" is a picture the program relies on,
// and "long" uses it.
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @BORN@ PICTURE name\n"
                            "1 @long@ PICTURE BORN name\n"
                            "0 @place@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG PLAC\n"
                            "1 @where@ PICTURE name\n"
                            "0 TRLR\n";

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The first element of the name table with this name and kind.
const TDefBase* Named(const TLoaded& t, const std::string& name, int kind)
{
    for (const TDefBase* e : t.db.Names().Elements())
        if (e->kind == kind && names::Equal(e->name, name))
            return e;
    return nullptr;
}

std::string Text(std::string_view view)
{
    return std::string(view);
}

} // namespace

TEST(IndexRows, BuiltInAliasesShowTheirOwnerAndThePageMark)
{
    const TLoaded t(kDesign);
    for (const char* alias : {"mother", "father", "spouses"}) {
        const TDefBase* e = Named(t, alias, kinds::Alias);
        ASSERT_NE(e, nullptr) << alias;
        const lists::TIndexRow row = lists::IndexRow(*e);
        EXPECT_EQ(Text(row.name), alias);
        EXPECT_EQ(Text(row.className), "Alias");
        EXPECT_EQ(Text(row.owner), "person");
        EXPECT_EQ(row.mark, lists::TMark::Page);
    }
    // The index gives "internal use" the page like every other built-in.
    const lists::TIndexRow internal = lists::IndexRow(*Named(t, "internal use", kinds::BuiltIn));
    EXPECT_EQ(Text(internal.className), "Built in");
    EXPECT_EQ(Text(internal.owner), "");
    EXPECT_EQ(internal.mark, lists::TMark::Page);

    const lists::TIndexRow record = lists::IndexRow(*Named(t, "person", kinds::Record));
    EXPECT_EQ(Text(record.className), "Record");
    EXPECT_EQ(Text(record.owner), "");
    EXPECT_EQ(record.mark, lists::TMark::None);
    const lists::TIndexRow picture = lists::IndexRow(*Named(t, "BORN", kinds::Picture));
    EXPECT_EQ(Text(picture.className), "Picture");
    EXPECT_EQ(Text(picture.owner), "person");
    EXPECT_EQ(picture.mark, lists::TMark::None);
}

TEST(IndexRows, CopyHasTheHeaderThenARowPerNameInTableOrder)
{
    const TLoaded t(kDesign);
    const TNameTable& names = t.db.Names();
    const Lines lines = SplitLines(lists::IndexCopyText(names));
    ASSERT_EQ(lines.size(), names.Count() + 2);
    EXPECT_EQ(lines[0], "Name\tClass\tOwner");
    EXPECT_EQ(lines[1], "");
    // Every cell of this design is short, so the copy is the cells whole.
    for (size_t i = 0; i < names.Count(); ++i) {
        const TDefBase* e = names.Elements()[i];
        EXPECT_EQ(lines[i + 2], e->name + "\t" + Text(TNameTable::ClassName(e->kind)) + "\t" +
                                    (e->context ? e->context->name : ""));
    }
    EXPECT_EQ(lists::IndexCopyText(names).back(), '\n');

    // Two fields of one name: two rows, each with its own record, the earlier record first.
    const auto first = std::find(lines.begin(), lines.end(), "name\tField\tperson");
    const auto second = std::find(lines.begin(), lines.end(), "name\tField\tplace");
    EXPECT_NE(first, lines.end());
    EXPECT_NE(second, lines.end());
    EXPECT_LT(first, second);
}

TEST(IndexRows, CopyCutsEveryCellTo49Characters)
{
    TDefinedArray defs;
    TNameTable names(defs);
    const std::string ascii(60, 'a');
    const std::string exact(49, 'b');
    std::string accented; // 60 characters of two bytes each
    for (int i = 0; i < 60; ++i)
        accented += "\xC3\xA9";
    const std::string windows(60, '\xE9'); // not UTF-8: every byte is a character
    TDefBase* record = names.Add(new TDefBase(kinds::Record, ascii, nullptr));
    names.Add(new TDefBase(kinds::Field, "f", record));
    names.Add(new TDefBase(kinds::Record, exact, nullptr));
    names.Add(new TDefBase(kinds::Record, accented, nullptr));
    names.Add(new TDefBase(kinds::Record, windows, nullptr));

    const Lines lines = SplitLines(lists::IndexCopyText(names));
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(ascii.substr(0, 49) + "\tRecord\t"));
    EXPECT_TRUE(has("f\tField\t" + ascii.substr(0, 49)));
    EXPECT_TRUE(has(exact + "\tRecord\t"));
    EXPECT_TRUE(has(accented.substr(0, 98) + "\tRecord\t"));
    EXPECT_TRUE(has(windows.substr(0, 49) + "\tRecord\t"));
    EXPECT_EQ(lines.size(), 2u + 5u);
}

TEST(UsedRows, BornOfPersonIsUsedByInternalUseWithTheInfoMark)
{
    const TLoaded t(kDesign);
    const TDefBase* born = t.Titled("person picture script BORN");
    ASSERT_NE(born, nullptr);
    ASSERT_TRUE(born->HasUserSet());
    Lines users;
    for (const TDefBase* user : *born->users) {
        const lists::TUsedRow row = lists::UsedRow(*user);
        EXPECT_EQ(Text(row.text), user->Title());
        users.push_back(Text(row.text));
        if (user->kind == kinds::BuiltIn)
            EXPECT_EQ(row.mark, lists::TMark::Info);
        else
            EXPECT_EQ(row.mark, lists::TMark::None);
    }
    EXPECT_NE(std::find(users.begin(), users.end(), "internal use"), users.end());
    EXPECT_NE(std::find(users.begin(), users.end(), "person picture script long"), users.end());
}

TEST(UsedRows, OtherBuiltInsAliasesAndVariablesGetThePage)
{
    const TLoaded t(kDesign);
    for (const auto& [name, kind] : std::vector<std::pair<std::string, int>>{
             {"text", kinds::BuiltIn}, {"mother", kinds::Alias}, {"today", kinds::Variable}}) {
        const TDefBase* e = Named(t, name, kind);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(lists::UsedRow(*e).mark, lists::TMark::Page) << name;
    }
    // Only the built-in is "internal use": a record of that name is an element like any other.
    const TDefBase record(kinds::Record, "Internal Use", nullptr);
    EXPECT_EQ(lists::UsedRow(record).mark, lists::TMark::None);
    EXPECT_EQ(Text(lists::UsedRow(record).text), "Record Internal Use");
}

TEST(UsedRows, CopyWritesWholeTitlesInSetOrder)
{
    // A user whose title is longer than 49 characters.
    const TLoaded t("0 @person@ RECORD\n"
                    "0 @abcdefghijklmnopqrst@ RECORD\n"
                    "1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @ABCDEFGHIJKLMNOPQRST@ PICTURE name\n"
                    "1 @other@ PICTURE name\n"
                    "0 TRLR\n");
    const TDefBase* field = t.Titled("abcdefghijklmnopqrst Field name");
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->HasUserSet());
    std::string expected;
    for (const TDefBase* user : *field->users)
        expected += user->Title() + "\n";
    EXPECT_EQ(lists::UsedByCopyText(*field), expected);
    const Lines lines = SplitLines(expected);
    EXPECT_EQ(lines, (Lines{"abcdefghijklmnopqrst picture script ABCDEFGHIJKLMNOPQRST",
                            "abcdefghijklmnopqrst picture script other"}));
    EXPECT_GT(lines[0].size(), lists::kCellLimit);

    EXPECT_EQ(lists::UsedByCopyText(*t.Titled("abcdefghijklmnopqrst picture script other")), "");
}
