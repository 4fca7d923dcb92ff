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

// Against the rule written out, over every element of every kind: what opening it shows, and
// that a pane lays out only an element of its own class.
TEST(Opening, EveryElementOpensAsItsKindSaysAndPanesReadOnlyTheirClass)
{
    TDatabase db;
    db.ReadText(kDesign, "test");
    const TDefinedArray& defs = db.Definitions();
    std::set<int> kindsSeen;
    const auto check = [&](const TDefBase& e) {
        kindsSeen.insert(e.kind);
        const TOpening opening = OpeningOf(e);
        const TDefBase& owner =
            (e.kind == kinds::Field || e.kind == kinds::Word) && e.owner ? *e.owner : e;
        TPaneKind pane;
        if (owner.kind == kinds::Alias || owner.kind == kinds::Variable ||
            owner.kind == kinds::BuiltIn) {
            EXPECT_EQ(opening.action, TOpening::Explain) << e.Title();
            EXPECT_EQ(opening.type, owner.kind == kinds::BuiltIn);
            EXPECT_EQ(opening.text,
                      owner.name + (opening.type ? " is a built-in type" : " is a built-in value"));
        } else if (!owner.PaneKind(pane)) {
            EXPECT_EQ(opening.action, TOpening::Nothing) << e.Title();
        } else {
            EXPECT_EQ(opening.action, TOpening::Pane) << e.Title();
            EXPECT_EQ(opening.shown, &owner) << e.Title();
            EXPECT_EQ(opening.pane, pane) << e.Title();
            // A report without background lines has nothing to show.
            EXPECT_TRUE(panes::LayPane(owner, pane, defs, 7, 13).height > 0 ||
                        pane == TPaneKind::Report);
            for (const TPaneKind other : {TPaneKind::List, TPaneKind::Table, TPaneKind::Report,
                                          TPaneKind::Options, TPaneKind::PrintSettings}) {
                if (other == pane)
                    continue;
                EXPECT_TRUE(panes::LayPane(owner, other, defs, 7, 13).texts.empty()) << e.Title();
            }
        }
    };
    for (const auto& e : defs)
        check(*e);
    for (const TDefBase* e : db.Names().Elements())
        check(*e);
    for (const int kind : {kinds::Field, kinds::Word, kinds::BuiltIn, kinds::Variable, kinds::Group,
                           kinds::Choice, kinds::Picture, kinds::Table, kinds::Report, kinds::List})
        EXPECT_TRUE(kindsSeen.count(kind)) << kind;
}
