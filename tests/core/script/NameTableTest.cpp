#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefField.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TInternalError.h"
#include "model/TMessageLog.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"
#include "script/TNameTable_Parser.h"
#include "script/TScriptAnalysis.h"
#include "script/TTypeResolver.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {
// A definition array and a name table filled by hand, as the element readers fill them.
struct Table {
    TDefinedArray defs;
    TNameTable names{defs};

    TDefBase* Add(int kind, const std::string& name, TDefBase* owner = nullptr)
    {
        return names.Add(new TDefBase(kind, name, owner));
    }
    TDefBase* AddField(const std::string& name, const std::string& type, TDefBase* owner)
    {
        return names.Add(new TDefField(name, type, owner));
    }

    // "name/owner name/kind" per entry, in table order.
    std::vector<std::string> Keys() const
    {
        std::vector<std::string> keys;
        for (const TDefBase* e : names.Elements())
            keys.push_back(e->name + "/" + (e->owner ? e->owner->name : "") + "/" +
                           std::to_string(e->kind));
        return keys;
    }
};
} // namespace

TEST(NameTable, OrdersByFoldedNameThenOwnerIndexThenKind)
{
    Table t;
    TDefBase* zeta = t.Add(kinds::Record, "zeta");
    TDefBase* alpha = t.Add(kinds::Record, "Alpha");
    t.AddField("name", "text", zeta);
    t.AddField("Name", "text", alpha);
    t.Add(kinds::Picture, "name", zeta);
    t.Add(kinds::Word, "NAME");
    t.Add(kinds::Group, "_under");
    t.Add(kinds::Group, "beta");
    t.Add(kinds::Choice, "Beta");
    t.Add(kinds::Group, "Longer_name_b");
    t.Add(kinds::Group, "longer_nam");
    t.Add(kinds::Group, "longer_name_A");
    // Owners order by their place in the definition array (zeta first), not by name; '_' sorts
    // before letters; capitals fold to small letters; a name before its longer continuations.
    EXPECT_EQ(t.Keys(), (std::vector<std::string>{"_under//24", "Alpha//37", "Beta//9", "beta//24",
                                                  "longer_nam//24", "longer_name_A//24",
                                                  "Longer_name_b//24", "NAME//49", "name/zeta/21",
                                                  "name/zeta/32", "Name/Alpha/21", "zeta//37"}));
    EXPECT_EQ(t.defs.Count(), 12u);
    for (size_t i = 0; i < t.defs.Count(); ++i)
        EXPECT_EQ(t.defs.At(i)->index, static_cast<int>(i));
}

TEST(NameTable, FindMatchesNamesIgnoringCaseAndOwnersByIdentity)
{
    Table t;
    TDefBase* person = t.Add(kinds::Record, "person");
    TDefBase* family = t.Add(kinds::Record, "family");
    TDefBase* personName = t.AddField("name", "text", person);
    TDefBase* familyName = t.AddField("name", "text", family);

    EXPECT_EQ(t.names.Find("PERSON", nullptr, kinds::Record), person);
    EXPECT_EQ(t.names.Find("Person", nullptr, kinds::Group), nullptr);
    EXPECT_EQ(t.names.Find("name", person, kinds::Field), personName);
    EXPECT_EQ(t.names.Find("NaMe", family, kinds::Field), familyName);
    EXPECT_EQ(t.names.Find("name", nullptr, kinds::Field), nullptr);
    EXPECT_EQ(t.names.Find("nam", person, kinds::Field), nullptr);
    EXPECT_EQ(t.names.Find("names", person, kinds::Field), nullptr);
    // Among equal names the one of the first owner in the definition array, every time.
    EXPECT_EQ(t.names.FindAnyClass("NAME"), personName);
    EXPECT_EQ(t.names.FindAnyClass("name"), personName);
    EXPECT_EQ(t.names.FindAnyClass("nobody"), nullptr);
}

TEST(NameTable, EqualKeysKeepTheOrderOfAddingAcrossLookups)
{
    Table t;
    TDefBase* first = t.Add(kinds::Record, "same");
    EXPECT_EQ(t.names.Find("same", nullptr, kinds::Record), first);
    TDefBase* second = t.Add(kinds::Record, "SAME");
    TDefBase* other = t.Add(kinds::Record, "other");
    EXPECT_EQ(t.names.Find("same", nullptr, kinds::Record), first);
    TDefBase* third = t.Add(kinds::Record, "Same");
    const auto& all = t.names.Elements();
    EXPECT_EQ(all, (std::vector<TDefBase*>{other, first, second, third}));
    EXPECT_EQ(t.names.Count(), 4u);

    // Clear forgets every entry; the definition array still owns them.
    t.names.Clear();
    EXPECT_TRUE(t.names.Elements().empty());
    EXPECT_EQ(t.names.Find("same", nullptr, kinds::Record), nullptr);
    EXPECT_EQ(t.defs.Count(), 4u);
}

TEST(NameTable, FindAnyClassGivesWhatALinearScanGives)
{
    std::mt19937 random(7);
    Table t;
    std::vector<TDefBase*> owners{nullptr};
    const std::vector<std::string> spellings{"a", "A", "b", "ab", "aB", "_", "a_", "ba", "z"};
    const int kindsUsed[] = {kinds::Field, kinds::Word, kinds::Picture, kinds::Record,
                             kinds::Alias};
    for (int i = 0; i < 400; ++i) {
        TDefBase* owner = owners[random() % owners.size()];
        TDefBase* e = t.Add(kindsUsed[random() % 5], spellings[random() % spellings.size()], owner);
        if (random() % 4 == 0)
            owners.push_back(e);
    }
    const auto sameName = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (const std::string& name : spellings) {
        TDefBase* linear = nullptr;
        bool anyWithoutOwner = false;
        for (TDefBase* e : t.names.Elements())
            if (sameName(e->name, name)) {
                if (!linear)
                    linear = e;
                anyWithoutOwner = anyWithoutOwner || !e->owner;
            }
        ASSERT_NE(linear, nullptr) << name;
        EXPECT_EQ(t.names.FindAnyClass(name), linear) << name;
        // Among equal names, one without owner comes first.
        EXPECT_EQ(linear->owner == nullptr, anyWithoutOwner) << name;
    }
}

TEST(NameTable, ClassNamesOfAll55Codes)
{
    const std::vector<std::pair<int, std::string>> named{
        {9, "Choice"},  {21, "Field"}, {24, "Group"}, {32, "Picture"},  {34, "Plan Picture"},
        {37, "Record"}, {49, "Word"},  {52, "Alias"}, {53, "Variable"}, {54, "Built in"}};
    int nonEmpty = 0;
    for (int code = 0; code <= 54; ++code) {
        std::string expected;
        for (const auto& [c, n] : named)
            if (c == code)
                expected = n;
        EXPECT_EQ(TNameTable::ClassName(code), expected) << code;
        nonEmpty += !TNameTable::ClassName(code).empty();
    }
    EXPECT_EQ(nonEmpty, 10);
    EXPECT_EQ(TNameTable::ClassName(-1), "");
    EXPECT_EQ(TNameTable::ClassName(55), "");
}

TEST(BuiltIns, TwentyElementsWithTheirOwnersAndBases)
{
    Table t;
    TDefBase* person = t.Add(kinds::Record, "Person");
    TDefBase* marriage = t.Add(kinds::Record, "marriage");
    t.Add(kinds::Group, "logical");
    TTypeResolver(t.names).InsertBuiltIns();
    ASSERT_EQ(t.names.Count(), 23u);
    ASSERT_EQ(t.defs.Count(), 23u);

    const char* const order[] = {"text",       "chart",        "date",           "plan",
                                 "longtext",   "mother",       "father",         "childnumber",
                                 "descendant", "generation",   "marriagenumber", "spouses",
                                 "showrins",   "rin",          "spouse",         "strip",
                                 "today",      "treemarriage", "treeref",        "internal use"};
    const int classes[] = {54, 54, 54, 54, 54, 52, 52, 53, 53, 53,
                           53, 52, 53, 53, 52, 53, 53, 53, 53, 54};
    for (int row = 0; row < 20; ++row) {
        const TDefBase* e = t.defs.At(3 + static_cast<size_t>(row));
        EXPECT_EQ(e->name, order[row]);
        EXPECT_EQ(e->kind, classes[row]) << e->name;
        EXPECT_EQ(t.names.Find(e->name, e->owner, e->kind), e);
        const bool owned = e->name == "mother" || e->name == "father" || e->name == "spouses";
        EXPECT_EQ(e->owner, owned ? person : nullptr) << e->name;
        EXPECT_EQ(e->context, e->owner);
        // Rows with a type and no owner are field elements.
        const bool typed = e->name == "descendant" || e->name == "showrins" ||
                           e->name == "spouse" || e->name == "today" || e->name == "treemarriage";
        const auto* field = dynamic_cast<const TDefField*>(e);
        EXPECT_EQ(field != nullptr, typed) << e->name;
        const TDefBase* base = owned || e->name == "descendant" || e->name == "spouse" ? person
                               : e->name == "treemarriage"                             ? marriage
                                                                                       : nullptr;
        // "today" is of the built-in "date", and "logical" is a group: neither is a base.
        EXPECT_EQ(e->base, base) << e->name;
    }
    EXPECT_EQ(dynamic_cast<const TDefField*>(t.names.Find("today", nullptr, 53))->fieldType,
              "date");
}

TEST(BuiltIns, MissingPersonRecordRaisesAnInternalErrorAfterTheFirstFiveRows)
{
    Table t;
    t.Add(kinds::Group, "person"); // a group does not do
    try {
        TTypeResolver(t.names).InsertBuiltIns();
        FAIL() << "no internal error";
    } catch (const TInternalError& error) {
        EXPECT_STREQ(error.what(), "Find(person) failed in InsertBuiltIns()");
    }
    EXPECT_EQ(t.Keys(), (std::vector<std::string>{"chart//54", "date//54", "longtext//54",
                                                  "person//24", "plan//54", "text//54"}));

    Table empty;
    TMessageLog log;
    EXPECT_THROW(empty.names.Build(log), TInternalError);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(empty.names.Count(), 5u);
}

TEST(ScanScript, OutsideBuildAddsItsUsesAtOnce)
{
    Table t;
    TDefBase* person = t.Add(kinds::Record, "person");
    TDefBase* name = t.AddField("name", "text", person);
    auto* picture = new TDefPicture(kinds::Picture, "p", "name\nnothing", person);
    t.names.Add(picture);
    TMessageLog log;
    TNameTable::Parser parser(*picture, log);
    TScriptAnalysis(t.names).ScanScript(parser);
    ASSERT_TRUE(name->HasUserSet());
    EXPECT_EQ(name->users->size(), 1u);
    EXPECT_EQ((*name->users)[0], picture);
    ASSERT_EQ(picture->pieces->size(), 2u);
    EXPECT_EQ((*picture->pieces)[0].target, name);
    EXPECT_EQ((*picture->pieces)[1].target, nullptr);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"Cannot find nothing in TermUsed() in person picture "
                                        "script p"}));
}

TEST(Build, RandomScriptsGiveOrderedPiecesInsideTheirText)
{
    std::mt19937 random(2024);
    const std::string alphabet = "name.(x) \"\n#$[]/*<=>|12\tmother";
    Table t;
    TDefBase* person = t.Add(kinds::Record, "person");
    t.AddField("name", "person", person);
    t.AddField("x", "text", person);
    std::vector<TDefPicture*> pictures;
    for (int i = 0; i < 300; ++i) {
        std::string script;
        const size_t length = random() % 300;
        for (size_t k = 0; k < length; ++k)
            script +=
                i % 3 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
        auto* picture = new TDefPicture(i % 5 ? kinds::Picture : kinds::EditPanel,
                                        std::string("p").append(std::to_string(i)), script, person);
        t.names.Add(picture);
        pictures.push_back(picture);
    }
    TMessageLog log;
    t.names.Build(log);
    for (const TDefPicture* picture : pictures) {
        // The scan stops at the first NUL byte.
        const auto end = static_cast<int>(std::string_view(picture->script.c_str()).size());
        int previous = 0;
        for (const TScriptPiece& piece : *picture->pieces) {
            EXPECT_GE(piece.offset, previous);
            EXPECT_GE(piece.length, 0);
            EXPECT_LE(piece.offset + piece.length, end);
            EXPECT_LE(piece.kind, 12u);
            // Only names refer; a comparison carries its left operand's element unflagged.
            const bool name = piece.kind >= 1 && piece.kind <= 4;
            EXPECT_EQ(piece.flags & TScriptPiece::kRefers, name && piece.target ? 1u : 0u);
            previous = piece.offset;
        }
    }
}
