#include "views/HoverText.h"
#include "core/LoadHelpers.h"
#include "model/TDefPicture.h"
#include "model/TScriptList.h"
#include "views/PaneRules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using loadhelpers::kDesign;

TEST(HoverText, NamesTellClassOwnerAndFirstLineBuiltInsAndOthersTheirExplanation)
{
    const TLoaded t(kDesign);
    ASSERT_EQ(t.db.InternalError(), "");
    const auto* picture = t.Titled<TDefPicture>("family picture script p");
    ASSERT_TRUE(picture && picture->pieces);
    std::map<std::string, std::string> hover; // by the piece's text; the first piece wins
    for (const TScriptPiece& piece : *picture->pieces)
        hover.emplace(picture->script.substr(static_cast<size_t>(piece.offset),
                                             static_cast<size_t>(piece.length)),
                      panes::HoverText(t.db.Definitions(), piece, true));

    // The second line: a field's row of its owner's text, a script's first line; records and
    // groups have none, as their texts start with the column titles.
    const std::map<std::string, std::string> expected = {
        {"person", "Record person"},
        {"husband", "Field husband in Record family\nhusband  person  HUSB"},
        {"show", "Picture show in Record person\nname"},
        {"mother", "mother is a built-in value"},
        {"date", "date is a built-in type"},
        {"\"x\"", panes::kLiteralValueText},
        {"12", panes::kLiteralValueText},
    };
    for (const auto& [text, tip] : expected) {
        ASSERT_TRUE(hover.count(text)) << text;
        EXPECT_EQ(hover.at(text), tip) << text;
    }
}

TEST(HoverText, PieceNeverLaidOutWithoutTargetTellsNothing)
{
    TScriptPiece literal;
    literal.kind = 7;
    const TLoaded t(kDesign);
    EXPECT_EQ(panes::HoverText(t.db.Definitions(), literal, false), "");
    EXPECT_EQ(panes::HoverText(t.db.Definitions(), literal, true), panes::kLiteralValueText);
}
