#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TScriptList.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;

// A person record with three fields and pictures, a family record whose pictures reach back
// into person, and an edit panel.
const char* const kFamilies = "0 @person@ RECORD\n"
                              "1 @name@ FIELD text\n2 TAG NAME\n"
                              "1 @born@ FIELD date\n2 TAG BIRT\n"
                              "1 @family@ FIELD family\n2 TAG FAMS\n"
                              "1 @BORN@ PICTURE born\n"
                              "1 @show@ PICTURE name name\n2 CONT family\n"
                              "1 @links@ PICTURE family\n"
                              "1 @Edit@ EDITPANEL family\n"
                              "0 @family@ RECORD\n"
                              "1 @name@ FIELD text\n2 TAG NAME\n"
                              "1 @husband@ FIELD person\n2 TAG HUSB\n"
                              "1 @brief@ PICTURE husband.name\n"
                              "1 @BORN@ PICTURE show(husband)\n"
                              "0 TRLR\n";

// "offset length kind flags target" per piece, in list order.
Lines Pieces(const TDefBase* e)
{
    Lines lines;
    if (!e || !e->pieces)
        return lines;
    for (const TScriptPiece& p : *e->pieces)
        lines.push_back(std::to_string(p.offset) + " " + std::to_string(p.length) + " " +
                        std::to_string(p.kind) + " " + std::to_string(p.flags) + " " +
                        (p.target ? p.target->Title() : "-"));
    return lines;
}

// The titles of an element's users, in set order.
Lines Users(const TDefBase* e)
{
    Lines lines;
    if (e && e->users)
        for (const TDefBase* u : *e->users)
            lines.push_back(u->Title());
    return lines;
}

// The lines that Build wrote: those after the summary line.
Lines BuildLines(const TLoaded& t)
{
    const Lines& all = t.db.Log().Lines();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].find(" lists, ") != std::string::npos)
            return {all.begin() + static_cast<std::ptrdiff_t>(i) + 1, all.end()};
    return all;
}

const TDefBase* Named(const TLoaded& t, const std::string& name, int kind,
                      const std::string& owner = {})
{
    const TNameTable& names = t.db.Names();
    return names.Find(name, owner.empty() ? nullptr : names.Find(owner, nullptr, kinds::Record),
                      kind);
}
} // namespace

TEST(UsedBy, FamiliesDesignResolvesEveryName)
{
    const TLoaded t(kFamilies);
    EXPECT_EQ(t.db.InternalError(), "");
    EXPECT_EQ(BuildLines(t), Lines{});
    // 12 named elements (the edit panel is not one) and the 20 built-ins.
    EXPECT_EQ(t.db.Names().Count(), 32u);
    EXPECT_EQ(t.Count(), 33u);

    // A qualifier moves the scope to the record its field is based on.
    EXPECT_EQ(Pieces(t.Titled("family picture script brief")),
              (Lines{"0 7 4 3 family Field husband", "8 4 1 3 person Field name"}));
    // A call: the argument (kind 3) and the picture (kind 2, found in the argument's record),
    // by offset.
    EXPECT_EQ(Pieces(t.Titled("family picture script BORN")),
              (Lines{"0 4 2 3 person picture script show", "5 7 3 3 family Field husband"}));
    EXPECT_EQ(Users(t.Titled("person picture script show")), (Lines{"family picture script BORN"}));

    // Fields get their own piece and their type's, both at offset 0.
    EXPECT_EQ(Pieces(Named(t, "family", kinds::Field, "person")),
              (Lines{"0 0 1 3 person Field family", "0 0 1 3 Record family"}));
    EXPECT_EQ(Pieces(Named(t, "name", kinds::Field, "person")),
              (Lines{"0 0 1 3 person Field name", "0 0 1 1 text"}));
    EXPECT_EQ(Named(t, "family", kinds::Field, "person")->base, t.Titled("Record family"));

    // Users in definition-array order, each once.
    EXPECT_EQ(Users(Named(t, "name", kinds::Field, "person")),
              (Lines{"person picture script show", "family picture script brief"}));
    EXPECT_EQ(Users(Named(t, "family", kinds::Field, "person")),
              (Lines{"person picture script show", "person picture script links",
                     "person Edit panel Edit"}));
    EXPECT_EQ(Users(t.Titled("Record person")), (Lines{"family Field husband"}));
    EXPECT_EQ(Users(t.Titled("Record family")), (Lines{"person Field family"}));
    // Fields of built-in types are in no used-by set.
    EXPECT_FALSE(Named(t, "text", kinds::BuiltIn)->HasUserSet());
    EXPECT_FALSE(Named(t, "date", kinds::BuiltIn)->HasUserSet());
}

TEST(LinkRule, ANameEndingItsScriptLinksToTheFirstPictureOfItsRecord)
{
    const TLoaded t(kFamilies);
    EXPECT_EQ(Pieces(t.Titled("person picture script show")),
              (Lines{"0 4 1 3 person Field name", "5 4 1 3 person Field name",
                     "10 6 1 7 person Field family"}));
    EXPECT_EQ(Users(t.Titled("family picture script brief")),
              (Lines{"person picture script show"}));
    // Not in a picture named "links", nor in an edit panel.
    EXPECT_EQ(Pieces(t.Titled("person picture script links")),
              (Lines{"0 6 1 3 person Field family"}));
    EXPECT_EQ(Pieces(t.Titled("person Edit panel Edit")), (Lines{"0 6 1 3 person Field family"}));
}

TEST(LinkRule, AppliesAtALineEndOrBeforeALiteralButNotAfterHashOrBeforeANumber)
{
    const TLoaded t("0 @person@ RECORD\n1 @family@ FIELD family\n2 TAG FAMS\n"
                    "1 @literal@ PICTURE family \"x\"\n"
                    "1 @hash@ PICTURE #family\n"
                    "1 @number@ PICTURE family 12\n"
                    "1 @line@ PICTURE family\n2 CONT 3\n"
                    "1 @qualified@ PICTURE family.family\n"
                    "0 @family@ RECORD\n1 @first@ PICTURE 1\n1 @second@ PICTURE 2\n0 TRLR\n");
    EXPECT_EQ(BuildLines(t), Lines{});
    EXPECT_EQ(Pieces(t.Titled("person picture script literal")),
              (Lines{"0 6 1 7 person Field family", "7 3 7 0 -"}));
    EXPECT_EQ(Pieces(t.Titled("person picture script hash")),
              (Lines{"1 6 1 3 person Field family"}));
    EXPECT_EQ(Pieces(t.Titled("person picture script number")),
              (Lines{"0 6 1 3 person Field family", "7 2 5 0 -"}));
    EXPECT_EQ(Pieces(t.Titled("person picture script line")),
              (Lines{"0 6 1 7 person Field family", "7 1 5 0 -"}));
    // In the chain "family.family" the second name is looked up in the family record, finds
    // nothing of its own there, and falls back on the person record's field.
    EXPECT_EQ(Pieces(t.Titled("person picture script qualified")),
              (Lines{"0 6 4 3 person Field family", "7 6 1 7 person Field family"}));
    EXPECT_EQ(Users(t.Titled("family picture script first")),
              (Lines{"person picture script literal", "person picture script line",
                     "person picture script qualified"}));
    EXPECT_FALSE(t.Titled("family picture script second")->HasUserSet());
}

TEST(TermUsed, LooksInScopeThenPersonThenNoOwnerThenAnyClass)
{
    const TLoaded t("0 @person@ RECORD\n1 @sex@ FIELD sex\n2 TAG SEX\n"
                    "0 @sex@ CHOICE\n1 WORD male\n1 @sexpic@ PICTURE MALE\n"
                    "0 @event@ RECORD\n1 @age@ FIELD text\n2 TAG AGE\n"
                    "1 @date@ FIELD date\n2 TAG DATE\n"
                    "1 @p@ PICTURE age place Date sex today Mother male chart\n"
                    "0 TRLR\n");
    EXPECT_EQ(BuildLines(t), (Lines{"Cannot find place in TermUsed() in event picture script p"}));
    EXPECT_EQ(Pieces(t.Titled("event picture script p")),
              (Lines{"0 3 1 3 event Field age", "4 5 1 0 -", "10 4 1 3 event Field date",
                     "15 3 1 3 person Field sex", "19 5 1 1 today", "25 6 1 1 mother",
                     "32 4 1 3 male", "37 5 1 1 chart"}));
    // A word is found in the scope of its choice's picture.
    EXPECT_EQ(Pieces(t.Titled("sexpic")), (Lines{"0 4 1 3 male"}));
    EXPECT_EQ(Users(t.db.Names().Find("male", t.Titled("Choice sex"), kinds::Word)),
              (Lines{"sexpic", "event picture script p"}));
    // Built-ins record their users too.
    EXPECT_EQ(Users(Named(t, "chart", kinds::BuiltIn)), (Lines{"event picture script p"}));
}

TEST(TermUsed, AliasesAndChainsThroughThem)
{
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @p@ PICTURE mother.name\n"
                    "0 @family@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @husband@ FIELD person\n2 TAG HUSB\n"
                    "1 @f@ PICTURE husband.father.name spouse.name\n"
                    "0 TRLR\n");
    EXPECT_EQ(BuildLines(t), Lines{});
    const TDefBase* mother = Named(t, "mother", kinds::Alias, "person");
    ASSERT_NE(mother, nullptr);
    EXPECT_EQ(mother->base, t.Titled("Record person"));
    // Alias pieces refer but are not underlined.
    EXPECT_EQ(Pieces(t.Titled("person picture script p")),
              (Lines{"0 6 4 1 mother", "7 4 1 3 person Field name"}));
    EXPECT_EQ(Pieces(t.Titled("family picture script f")),
              (Lines{"0 7 4 3 family Field husband", "8 6 4 1 father", "15 4 1 3 person Field name",
                     "20 6 4 1 spouse", "27 4 1 3 person Field name"}));
    EXPECT_EQ(Users(mother), (Lines{"person picture script p"}));
    EXPECT_EQ(Users(Named(t, "name", kinds::Field, "family")), Lines{});
}

TEST(ScanScript, CallsSpanningLinesAndLiteralsLogWhatTheyCannotFind)
{
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @show@ PICTURE name\n"
                    "1 @p@ PICTURE show(\"x\"\n2 CONT name) name\n"
                    "1 @q@ PICTURE show(name\n"
                    "0 TRLR\n");
    EXPECT_EQ(BuildLines(t), (Lines{"Cannot find  in TermUsed() in person picture script p",
                                    "Cannot find ", " in TermUsed() in person picture script p"}));
    // The line end inside the call gets a piece; the call's picture comes after its arguments
    // were resolved but sits first by offset.
    EXPECT_EQ(Pieces(t.Titled("person picture script p")),
              (Lines{"0 4 2 3 person picture script show", "5 3 7 0 -", "8 1 12 0 -",
                     "9 4 3 3 person Field name", "15 4 1 3 person Field name"}));
    // A call the text ends inside still looks its picture up.
    EXPECT_EQ(Pieces(t.Titled("person picture script q")),
              (Lines{"0 4 2 3 person picture script show", "5 4 1 3 person Field name"}));
    EXPECT_EQ(Users(t.Titled("person picture script show")),
              (Lines{"person picture script p", "person picture script q"}));
}

TEST(ResolveTypes, ContextsOfTablesReportsListsChartsAndPlanPictures)
{
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @plan1@ PLANPIC name\n"
                    "0 @T@ TABLE\n1 TYPE Person\n1 COLUMN\n2 PICTURE name\n"
                    "0 @R@ REPORT\n1 TYPE person\n1 WIDTH 20\n1 HEIGHT 5\n1 AREA\n2 PICTURE name\n"
                    "0 LIST\n1 TYPE PERSON\n1 FILTER name\n"
                    "0 LIST\n1 TYPE nobody\n1 FILTER x\n"
                    "0 DCHART\n1 BRIEF name\n"
                    "0 TRLR\n");
    const TDefBase* person = t.Titled("Record person");
    const TDefBase* table = t.Titled("Person Table T");
    const TDefBase* list = t.Titled("List 1: (PERSON) 0 entries");
    const TDefBase* nobody = t.Titled("List 2: (nobody) 0 entries");
    ASSERT_TRUE(person && table && list && nobody);
    EXPECT_EQ(table->context, person);
    EXPECT_EQ(t.Titled("Person Table T Col. 1")->context, person);
    EXPECT_EQ(t.Titled("person Report R")->context, person);
    EXPECT_EQ(t.Titled("person Report R Area A")->context, person);
    EXPECT_EQ(list->context, person);
    EXPECT_EQ(t.Titled("List 1: (PERSON) Filter script")->context, person);
    EXPECT_EQ(nobody->context, nullptr);
    EXPECT_EQ(t.Titled("List 2: (nobody) Filter script")->context, nobody);
    EXPECT_EQ(t.Titled("Descendant Chart picture script Brief")->context,
              Named(t, "chart", kinds::BuiltIn));
    EXPECT_EQ(t.Titled("Plan picture script plan1")->context, Named(t, "plan", kinds::BuiltIn));

    // Pictures read in the record their owner lists; a chart's picture falls back on person.
    EXPECT_EQ(Users(Named(t, "name", kinds::Field, "person")),
              (Lines{"Plan picture script plan1", "Person Table T Col. 1", "person Report R Area A",
                     "List 1: (PERSON) Filter script", "Descendant Chart picture script Brief"}));
    EXPECT_EQ(BuildLines(t),
              (Lines{"Cannot find x in TermUsed() in List 2: (nobody) Filter script"}));
}

TEST(ResolveTypes, UnknownFieldTypesAreLoggedAndKeepAPieceWithoutTarget)
{
    const TLoaded t(
        "0 @person@ RECORD\n1 @a@ FIELD nowhere\n2 TAG A\n"
        "0 @G@ GROUP\n1 @b@ FIELD elsewhere\n2 TAG B\n1 @c@ FIELD G\n2 TAG C\n0 TRLR\n");
    EXPECT_EQ(BuildLines(t),
              (Lines{"Field type not found for nowhere", "Field type not found for elsewhere"}));
    EXPECT_EQ(Pieces(Named(t, "a", kinds::Field, "person")),
              (Lines{"0 0 1 3 person Field a", "0 0 1 0 -"}));
    const TDefBase* group = t.Titled("Group G");
    EXPECT_EQ(t.db.Names().Find("c", group, kinds::Field)->base, group);
    EXPECT_EQ(Users(group), (Lines{"G Field c"}));
}

TEST(InternalUse, PicturesTheProgramReliesOn)
{
    const TLoaded t("0 @person@ RECORD\n1 @Born@ PICTURE 1\n1 @other@ PICTURE 1\n"
                    "1 @validate@ EDITPANEL 1\n"
                    "0 @family@ RECORD\n1 @BORN@ PICTURE 1\n1 @list@ PICTURE 1\n"
                    "1 @lineup@ PLANPIC 1\n"
                    "0 @htmMarr@ RECORD\n1 @htmMarr@ PICTURE 1\n"
                    "0 TRLR\n");
    const Lines internal{"internal use"};
    for (const char* title :
         {"person picture script Born", "person Edit panel validate", "family picture script list",
          "Plan picture script lineup", "htmMarr picture script htmMarr"})
        EXPECT_EQ(Users(t.Titled(title)), internal) << title;
    // "BORN" must belong to the "person" record, which this database has.
    EXPECT_FALSE(t.Titled("family picture script BORN")->HasUserSet());
    EXPECT_FALSE(t.Titled("person picture script other")->HasUserSet());
    EXPECT_FALSE(Named(t, "internal use", kinds::BuiltIn)->HasUserSet());

    // With a record called "plan", plan pictures (read in the built-in "plan") no longer match.
    const TLoaded planned("0 @person@ RECORD\n0 @plan@ RECORD\n1 @linedown@ PLANPIC 1\n"
                          "1 @lineup@ PICTURE 1\n0 TRLR\n");
    EXPECT_FALSE(planned.Titled("Plan picture script linedown")->HasUserSet());
    EXPECT_EQ(Users(planned.Titled("plan picture script lineup")), internal);
}

TEST(Build, DatabaseWithoutPersonRecordStopsAfterFiveBuiltIns)
{
    const TLoaded empty("0 TRLR\n");
    EXPECT_EQ(empty.db.InternalError(), "Find(person) failed in InsertBuiltIns()");
    EXPECT_EQ(empty.db.Log().Lines(), (Lines{"Reading test", "0 lists, 0 Tables, 0 Reports"}));
    EXPECT_EQ(empty.db.Names().Count(), 5u);

    // Type resolution and the scan do not run: no log line, no pieces, no users.
    const TLoaded t(
        "0 @people@ RECORD\n1 @a@ FIELD nowhere\n2 TAG A\n1 @p@ PICTURE a zz\n0 TRLR\n");
    EXPECT_EQ(t.db.InternalError(), "Find(person) failed in InsertBuiltIns()");
    EXPECT_EQ(BuildLines(t), Lines{});
    EXPECT_TRUE(t.At(1)->pieces->empty());
    EXPECT_TRUE(t.At(2)->pieces->empty());
    EXPECT_EQ(t.db.Names().Count(), 8u);
}

TEST(Build, SecondLoadLeavesNothingOfTheFirst)
{
    TDatabase db;
    db.ReadText(kFamilies, "first");
    db.ReadText("0 @person@ RECORD\n1 @x@ FIELD text\n2 TAG X\n0 TRLR\n", "second");
    EXPECT_EQ(db.InternalError(), "");
    std::set<const TDefBase*> loaded;
    for (const auto& e : db.Definitions())
        loaded.insert(e.get());
    ASSERT_EQ(db.Names().Count(), 22u);
    for (const TDefBase* e : db.Names().Elements())
        EXPECT_TRUE(loaded.count(e)) << e->name;
    EXPECT_EQ(db.Names().Find("family", nullptr, kinds::Record), nullptr);
    const TDefBase* person = db.Names().Find("person", nullptr, kinds::Record);
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(db.Names().Find("mother", person, kinds::Alias)->owner, person);
}

TEST(UsedBy, EqualElementsCountAsOneUser)
{
    // "P" equals "p": same name ignoring case, same owner, same kind.
    const TLoaded t("0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @p@ PICTURE name\n1 @P@ PICTURE name\n1 @q@ PICTURE name name\n0 TRLR\n");
    EXPECT_EQ(Users(Named(t, "name", kinds::Field, "person")),
              (Lines{"person picture script p", "person picture script q"}));
    EXPECT_EQ(Pieces(t.Titled("person picture script P")), (Lines{"0 4 1 3 person Field name"}));
}
