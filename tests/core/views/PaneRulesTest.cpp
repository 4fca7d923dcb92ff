#include "views/PaneRules.h"
#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefField.h"
#include "model/TScriptList.h"
#include "views/FormLayouts.h"

#include <gtest/gtest.h>
#include <string>

namespace {
using panes::TExplanation;
using panes::TFieldClick;

TScriptPiece Piece(uint32_t kind, uint32_t flags = 0, TDefBase* target = nullptr)
{
    TScriptPiece piece;
    piece.kind = kind;
    piece.flags = flags;
    piece.target = target;
    return piece;
}

// person's fields: its own name, a choice, a built-in type, a type no element defines, and a
// group the record owns.
const char* const kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @sex@ FIELD sex\n2 TAG SEX\n"
                            "1 @born@ FIELD date\n2 TAG BIRT\n"
                            "1 @odd@ FIELD nothing\n2 TAG ODD\n"
                            "0 @sex@ CHOICE\n1 WORD male\n"
                            "0 TRLR\n";

// The fields pane of person and what a double-click on each hit piece decides.
struct TFieldsPane {
    TLoaded t{kDesign};
    const TDefBase& person = *t.Titled("Record person");
    TPaneLayout layout = panes::LayFields(person, t.db.Definitions(), 8, 14);

    // Piece 0 (name) or 1 (type) of a field's row.
    const TScriptPiece& PieceOf(const std::string& field, size_t which) const
    {
        return (*t.Titled<TDefField>("person Field " + field)->pieces)[which];
    }
    TFieldClick DoubleClick(const TScriptPiece& piece) const
    {
        return panes::FieldDoubleClick(piece, panes::LaidOut(layout, &piece), person);
    }
};
} // namespace

TEST(CurrentElement, SelectedTargetUnlessNoneOrBuiltIn)
{
    TDefBase shown(kinds::Record, "shown", nullptr);
    TDefBase record(kinds::Record, "other", nullptr);
    TDefBase builtIn(kinds::BuiltIn, "date", nullptr);
    TDefBase alias(kinds::Alias, "mother", &shown);
    EXPECT_EQ(panes::CurrentElement(shown, nullptr), &shown);
    const TScriptPiece none = Piece(7);
    EXPECT_EQ(panes::CurrentElement(shown, &none), &shown);
    const TScriptPiece toBuiltIn = Piece(1, 1, &builtIn);
    EXPECT_EQ(panes::CurrentElement(shown, &toBuiltIn), &shown);
    const TScriptPiece toRecord = Piece(1, 3, &record);
    EXPECT_EQ(panes::CurrentElement(shown, &toRecord), &record);
    const TScriptPiece toAlias = Piece(4, 1, &alias);
    EXPECT_EQ(panes::CurrentElement(shown, &toAlias), &alias);
}

TEST(ExplainPiece, PieceThatRefersOpensItsTargetEvenIfNeverLaidOut)
{
    TDefBase record(kinds::Record, "r", nullptr);
    for (bool laidOut : {false, true}) {
        const TExplanation e = panes::ExplainPiece(Piece(1, 3, &record), laidOut);
        EXPECT_EQ(e.action, TExplanation::Open);
        EXPECT_EQ(e.text, "");
    }
}

TEST(ExplainPiece, TargetWithoutTheRefersFlagIsNotOpened)
{
    TDefBase record(kinds::Record, "r", nullptr);
    EXPECT_EQ(panes::ExplainPiece(Piece(7, 0, &record), true).action, TExplanation::Message);
    EXPECT_EQ(panes::ExplainPiece(Piece(7, 0, &record), false).action, TExplanation::Nothing);
}

TEST(ExplainPiece, PieceNeverLaidOutIsNotExplained)
{
    for (uint32_t kind = 0; kind <= 13; ++kind)
        EXPECT_EQ(panes::ExplainPiece(Piece(kind), false).action, TExplanation::Nothing) << kind;
}

TEST(ExplainPiece, MessageTextByKind)
{
    for (uint32_t kind = 0; kind <= 13; ++kind) {
        const TExplanation e = panes::ExplainPiece(Piece(kind), true);
        EXPECT_EQ(e.action, TExplanation::Message) << kind;
        const bool literal = kind >= 5 && kind <= 7;
        const bool language = kind >= 8 && kind <= 11;
        const std::string expected = literal    ? "This is a literal value"
                                     : language ? "This is a script language element"
                                                : "Cannot display definition of this element";
        EXPECT_EQ(e.text, expected) << kind;
    }
}

TEST(FieldDoubleClick, OwnFieldNameDoesNothing)
{
    const TFieldsPane pane;
    for (const char* field : {"name", "sex", "born", "odd"})
        EXPECT_EQ(pane.DoubleClick(pane.PieceOf(field, 0)), TFieldClick::Nothing) << field;
}

TEST(FieldDoubleClick, ChoiceTypeOpensTheChoice)
{
    const TFieldsPane pane;
    const TScriptPiece& type = pane.PieceOf("sex", 1);
    ASSERT_EQ(type.target, pane.t.Titled("Choice sex"));
    EXPECT_EQ(pane.DoubleClick(type), TFieldClick::Explain);
    EXPECT_EQ(panes::ExplainPiece(type, true).action, TExplanation::Open);
}

TEST(FieldDoubleClick, BuiltInTypeIsOpenedForTheFrameToExplain)
{
    const TFieldsPane pane;
    const TScriptPiece& type = pane.PieceOf("born", 1);
    ASSERT_NE(type.target, nullptr);
    EXPECT_EQ(type.target->kind, kinds::BuiltIn);
    EXPECT_EQ(pane.DoubleClick(type), TFieldClick::Explain);
    EXPECT_EQ(panes::ExplainPiece(type, true).action, TExplanation::Open);
}

TEST(FieldDoubleClick, TypeNoElementDefinesIsCalledBuiltInOnceLaidOut)
{
    const TFieldsPane pane;
    const TScriptPiece& type = pane.PieceOf("odd", 1);
    ASSERT_EQ(type.target, nullptr);
    EXPECT_EQ(pane.DoubleClick(type), TFieldClick::BuiltInTypeMessage);
    EXPECT_EQ(panes::FieldDoubleClick(type, false, pane.person), TFieldClick::Nothing);
    EXPECT_STREQ(panes::kBuiltInTypeText, "This is a built-in Type");
    EXPECT_STREQ(panes::kFieldTypeCaption, "Field Type");
}

TEST(FieldDoubleClick, FieldShownInAnotherElementsPaneIsExplained)
{
    const TFieldsPane pane;
    const TDefBase& choice = *pane.t.Titled("Choice sex");
    EXPECT_EQ(panes::FieldDoubleClick(pane.PieceOf("name", 0), true, choice), TFieldClick::Explain);
}
