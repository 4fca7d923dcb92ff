#include "model/Opening.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "views/HostLayouts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// An element of every kind with a window of its own, and of kinds that show another's.
const std::string kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @sex@ FIELD sex\n2 TAG SEX\n"
                            "1 @show@ PICTURE name\n"
                            "0 @address@ GROUP\n1 @street@ FIELD text\n2 TAG ADDR\n"
                            "0 @sex@ CHOICE\n1 WORD male\n"
                            "0 @Plan@ PLANPICTURE name\n"
                            "0 LIST\n1 TYPE person\n1 METHOD index\n"
                            "0 @T@ TABLE\n1 TYPE person\n"
                            "0 @R@ REPORT\n1 TYPE person\n"
                            "0 TRLR\n";

} // namespace

// Against the rule written out: what each kind shows.
TEST(Opening, EveryElementOpensAsItsKindSays)
{
    TDatabase db;
    db.ReadText(kDesign, "test");
    std::set<int> kindsSeen;
    const auto check = [&kindsSeen](const TDefBase& e) {
        kindsSeen.insert(e.kind);
        const TOpening opening = OpeningOf(e);
        const TDefBase& owner =
            (e.kind == kinds::Field || e.kind == kinds::Word) && e.owner ? *e.owner : e;
        if (owner.kind == kinds::Alias || owner.kind == kinds::Variable ||
            owner.kind == kinds::BuiltIn) {
            EXPECT_EQ(opening.action, TOpening::Explain) << e.Title();
            EXPECT_EQ(opening.type, owner.kind == kinds::BuiltIn);
            EXPECT_EQ(opening.text,
                      owner.name + (opening.type ? " is a built-in type" : " is a built-in value"));
            return;
        }
        TPaneKind pane;
        if (!owner.PaneKind(pane)) {
            EXPECT_EQ(opening.action, TOpening::Nothing) << e.Title();
            return;
        }
        EXPECT_EQ(opening.action, TOpening::Pane) << e.Title();
        EXPECT_EQ(opening.shown, &owner) << e.Title();
        EXPECT_EQ(opening.pane, pane) << e.Title();
    };
    for (const auto& e : db.Definitions())
        check(*e);
    for (const TDefBase* e : db.Names().Elements())
        check(*e);
    for (const int kind : {kinds::Field, kinds::Word, kinds::BuiltIn, kinds::Variable, kinds::Table,
                           kinds::Report, kinds::List})
        EXPECT_TRUE(kindsSeen.count(kind)) << kind;

    // The panes a definition window holds for each.
    const auto paneOf = [&db](const std::string& title) {
        return OpeningOf(*db.Definitions().FindTitled(title)).pane;
    };
    EXPECT_EQ(paneOf("Record person"), TPaneKind::Fields);
    EXPECT_EQ(paneOf("Group address"), TPaneKind::Fields);
    EXPECT_EQ(paneOf("Choice sex"), TPaneKind::Choice);
    EXPECT_EQ(paneOf("person picture script show"), TPaneKind::Picture);
}

TEST(Opening, APaneLaysOutOnlyAnElementOfItsClass)
{
    TDatabase db;
    db.ReadText(kDesign, "test");
    const TDefinedArray& defs = db.Definitions();
    size_t laidOut = 0;
    for (const auto& e : defs) {
        TPaneKind own;
        if (!e->PaneKind(own))
            continue;
        const TPaneLayout layout = panes::LayPane(*e, own, defs, 7, 13);
        // A report without background lines has nothing to show.
        EXPECT_TRUE(layout.height > 0 || own == TPaneKind::Report) << e->Title();
        ++laidOut;
        // A list, table, report, options or print settings pane never reads another class.
        for (const TPaneKind other : {TPaneKind::List, TPaneKind::Table, TPaneKind::Report,
                                      TPaneKind::Options, TPaneKind::PrintSettings}) {
            if (other == own)
                continue;
            const TPaneLayout wrong = panes::LayPane(*e, other, defs, 7, 13);
            EXPECT_EQ(wrong.height, 0) << e->Title();
            EXPECT_TRUE(wrong.texts.empty()) << e->Title();
        }
    }
    EXPECT_GE(laidOut, 7u);
}
