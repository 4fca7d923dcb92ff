#include "views/FormLayouts.h"
#include "core/LoadHelpers.h"
#include "model/TDefField.h"
#include "model/TDefOption.h"
#include "model/TDefPrintSetting.h"
#include "model/TScriptList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {
constexpr int W = 8;
constexpr int L = 17; // so that halving and fifths round down, and a fourth differs

// A text as the tests compare it: where, what and how.
struct Text {
    int x, y;
    std::string text;
    TPaneText::TStyle style;
    bool operator==(const Text&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Text& t)
{
    return os << "{" << t.x << ", " << t.y << ", \"" << t.text << "\", " << t.style << "}";
}

std::vector<Text> Texts(const TPaneLayout& layout)
{
    std::vector<Text> texts;
    for (const TPaneText& t : layout.texts)
        texts.push_back({t.x, t.y, t.text, t.style});
    return texts;
}

bool SortedByY(const TPaneLayout& layout)
{
    return std::is_sorted(layout.texts.begin(), layout.texts.end(),
                          [](const TPaneText& a, const TPaneText& b) { return a.y < b.y; });
}

// person: two fields, a picture, then a field declared after it whose type no element defines.
const char* const kDesign = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @sex@ FIELD sex\n2 TAG SEX\n"
                            "1 @P@ PICTURE name\n"
                            "1 @late@ FIELD nothing\n2 TAG LATE\n"
                            "0 @other@ GROUP\n1 @name@ FIELD text\n2 TAG X\n"
                            "0 @sex@ CHOICE\n1 WORD A\n1 @Q@ PICTURE x\n1 WORD B\n"
                            "0 @empty@ RECORD\n"
                            "0 TRLR\n";

const TDefBase& Element(const TLoaded& t, const std::string& title)
{
    const TDefBase* e = t.Titled(title);
    if (!e)
        throw std::runtime_error("no element titled " + title);
    return *e;
}

const TDefField& Field(const TLoaded& t, const std::string& title)
{
    return dynamic_cast<const TDefField&>(Element(t, title));
}
} // namespace

TEST(FieldsLayout, RecordWithoutFieldsShowsOnlyTheHeading)
{
    const TLoaded t(kDesign);
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Record empty"), t.db.Definitions(), W, L);
    EXPECT_EQ(Texts(layout), (std::vector<Text>{{W, 0, "Field", TPaneText::Plain},
                                                {16 * W, 0, "Type", TPaneText::Plain},
                                                {31 * W, 0, "Tag", TPaneText::Plain}}));
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_EQ(layout.width, 35 * W);
    EXPECT_EQ(layout.height, 2 * L);
}

TEST(FieldsLayout, EveryOwnedFieldIsARowEvenAfterAPicture)
{
    const TLoaded t(kDesign);
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Record person"), t.db.Definitions(), W, L);
    const std::vector<Text> expected = {
        {W, 0, "Field", TPaneText::Plain},
        {16 * W, 0, "Type", TPaneText::Plain},
        {31 * W, 0, "Tag", TPaneText::Plain},
        {W, L + 8, "name", TPaneText::Piece},
        {16 * W, L + 8, "text", TPaneText::Piece},
        {31 * W, L + 8, "NAME", TPaneText::Plain},
        {W, 2 * L + 8, "sex", TPaneText::Piece},
        {16 * W, 2 * L + 8, "sex", TPaneText::Piece},
        {31 * W, 2 * L + 8, "SEX", TPaneText::Plain},
        {W, 3 * L + 8, "late", TPaneText::Piece},
        {16 * W, 3 * L + 8, "nothing", TPaneText::Piece},
        {31 * W, 3 * L + 8, "LATE", TPaneText::Plain},
    };
    EXPECT_EQ(Texts(layout), expected);
    EXPECT_TRUE(SortedByY(layout));
    EXPECT_EQ(layout.width, 35 * W);
    EXPECT_EQ(layout.height, 5 * L);

    // The name is drawn as the field's own piece, the type as the type's piece.
    const TDefField& sex = Field(t, "person Field sex");
    EXPECT_EQ(layout.texts[6].piece, &(*sex.pieces)[0]);
    EXPECT_EQ(layout.texts[7].piece, &(*sex.pieces)[1]);
    EXPECT_EQ(layout.texts[8].piece, nullptr);
}

TEST(FieldsLayout, HitPiecesAreNameThenTypeOfEachRowAsWideAsTheirText)
{
    const TLoaded t(kDesign);
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Record person"), t.db.Definitions(), W, L);
    std::vector<TPieceRect> expected;
    int row = 0;
    for (const char* title : {"person Field name", "person Field sex", "person Field late"}) {
        const TDefField& field = Field(t, title);
        const int y = (row + 1) * L + L / 2;
        const int nameWidth = static_cast<int>(field.name.size()) * W;
        const int typeWidth = static_cast<int>(field.fieldType.size()) * W;
        expected.push_back({&(*field.pieces)[0], {W, y, W + nameWidth, y + L}});
        expected.push_back({&(*field.pieces)[1], {16 * W, y, 16 * W + typeWidth, y + L}});
        ++row;
    }
    ASSERT_EQ(layout.pieces.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(layout.pieces[i].piece, expected[i].piece) << i;
        EXPECT_EQ(layout.pieces[i].rect, expected[i].rect) << i;
    }
    // Hit where the texts are, missed between them.
    EXPECT_EQ(panes::HitPiece(layout, 16 * W, 2 * L + 8)->piece,
              &(*Field(t, "person Field sex").pieces)[1]);
    EXPECT_EQ(panes::HitPiece(layout, W + 4 * W, L + 8), nullptr); // just past "name"
    EXPECT_EQ(panes::HitPiece(layout, W, L + 7), nullptr);         // above the first row
}

TEST(FieldsLayout, OnlyTheShownElementsFields)
{
    const TLoaded t(kDesign);
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Group other"), t.db.Definitions(), W, L);
    ASSERT_EQ(layout.texts.size(), 6u);
    EXPECT_EQ(layout.texts[5].text, "X");
    ASSERT_EQ(layout.pieces.size(), 2u);
    EXPECT_EQ(layout.pieces[0].piece->target, t.Titled("other Field name"));
    EXPECT_EQ(layout.height, 3 * L);
}

TEST(FieldsLayout, FieldsWithoutPiecesArePlainAndCannotBeHit)
{
    const TRead t(kDesign); // no cross-references: no pieces
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Record person"), t.db.Definitions(), W, L);
    ASSERT_EQ(layout.texts.size(), 12u);
    for (const TPaneText& text : layout.texts) {
        EXPECT_EQ(text.style, TPaneText::Plain) << text.text;
        EXPECT_EQ(text.piece, nullptr) << text.text;
    }
    EXPECT_TRUE(layout.pieces.empty());
}

TEST(FieldsLayout, PieceWidthCountsCharactersNotBytes)
{
    const TLoaded t("0 @person@ RECORD\n1 @caf\xC3\xA9@ FIELD text\n2 TAG C\n0 TRLR\n");
    const TPaneLayout layout =
        panes::LayFields(Element(t, "Record person"), t.db.Definitions(), W, L);
    ASSERT_EQ(layout.pieces.size(), 2u);
    EXPECT_EQ(layout.pieces[0].rect.right - layout.pieces[0].rect.left, 4 * W);
}

TEST(ChoiceLayout, WordsJoinedWithCommaAndSpace)
{
    const TLoaded t(kDesign);
    const TPaneLayout layout = panes::LayChoice(Element(t, "Choice sex"), t.db.Definitions(), W, L);
    EXPECT_EQ(Texts(layout), (std::vector<Text>{{W, 0, "A, B", TPaneText::Plain}}));
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_EQ(layout.width, 6 * W); // each word and its separator
    EXPECT_EQ(layout.height, L);
}

TEST(ChoiceLayout, LongChoiceIsDrawnWhole)
{
    std::string text = "0 @many@ CHOICE\n";
    std::string expected;
    int columns = 0;
    for (int i = 0; i < 30; ++i) {
        const std::string word = "word" + std::to_string(i);
        text += "1 WORD " + word + "\n";
        expected += (i ? ", " : "") + word;
        columns += static_cast<int>(word.size()) + 2;
    }
    const TLoaded t(text + "0 @none@ CHOICE\n0 TRLR\n");
    const TPaneLayout layout =
        panes::LayChoice(Element(t, "Choice many"), t.db.Definitions(), W, L);
    ASSERT_EQ(layout.texts.size(), 1u);
    EXPECT_GT(layout.texts[0].text.size(), 79u);
    EXPECT_EQ(layout.texts[0].text, expected);
    EXPECT_EQ(layout.width, columns * W);

    const TPaneLayout none = panes::LayChoice(Element(t, "Choice none"), t.db.Definitions(), W, L);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, L);
}

TEST(OptionsLayout, EveryRowInPlace)
{
    const TLoaded t("0 DATEFORMAT 5\n0 DATEPREFIX bef abt aft\n0 PRINTER laser\n"
                    "0 TRUNC 46\n0 SHOWRINS y\n0 LINES N\n0 TRLR\n");
    const auto& options = dynamic_cast<const TDefOption&>(Element(t, "Options"));
    const TPaneLayout layout = panes::LayOptions(options, W, L);
    const int a = W, b = 2 * W, c = 11 * W, d = 21 * W;
    // The first five rows L apart, the rest L + L/2 = 25 apart.
    const std::vector<Text> expected = {
        {a, 0, "Dates", TPaneText::Plain},
        {b, 17, "Format", TPaneText::Plain},
        {d, 17, "yyyy-mm-dd", TPaneText::Plain},
        {b, 34, "Prefixes", TPaneText::Plain},
        {c, 34, "Before", TPaneText::Plain},
        {d, 34, "bef", TPaneText::Plain},
        {c, 51, "About", TPaneText::Plain},
        {d, 51, "abt", TPaneText::Plain},
        {c, 68, "After", TPaneText::Plain},
        {d, 68, "aft", TPaneText::Plain},
        {a, 93, "Printer Name", TPaneText::Plain},
        {d, 93, "laser", TPaneText::Plain},
        {a, 118, "Truncation Marker", TPaneText::Plain},
        {d, 118, "46 (.)", TPaneText::Plain},
        {a, 143, "Show RINs", TPaneText::Plain},
        {d, 143, "Yes", TPaneText::Plain},
        {a, 168, "Show Lines", TPaneText::Plain},
        {d, 168, "No", TPaneText::Plain},
    };
    EXPECT_EQ(Texts(layout), expected);
    EXPECT_EQ(layout.width, W + 35 * W);
    EXPECT_EQ(layout.height, 11 * L);
}

TEST(OptionsLayout, DateFormatOutsideTheTableIsShownAsItsNumber)
{
    const TLoaded t("0 DATEFORMAT 9\n0 TRLR\n");
    const auto& options = dynamic_cast<const TDefOption&>(Element(t, "Options"));
    const TPaneLayout layout = panes::LayOptions(options, W, L);
    ASSERT_GT(layout.texts.size(), 2u);
    EXPECT_EQ(Texts(layout)[2], (Text{21 * W, L, "unknown format 9", TPaneText::Plain}));
}

TEST(OptionsLayout, MarkerCharacterBesideTheNumberOrInTheSymbolFont)
{
    const TLoaded t("0 TRUNC 46\n0 TRLR\n");
    auto& options = dynamic_cast<TDefOption&>(*t.Titled("Options"));
    const int markerY = 4 * L + 2 * 25; // rows L + L/2 = 25 apart after the fifth
    // The texts at the marker row and the symbol's place below it, in order.
    const auto markerTexts = [&](int32_t code) {
        options.truncMarker = code;
        const TPaneLayout layout = panes::LayOptions(options, W, L);
        EXPECT_TRUE(SortedByY(layout));
        std::vector<Text> texts;
        for (const Text& text : Texts(layout))
            if (text.y >= markerY && text.y < markerY + L && text.x > W)
                texts.push_back(text);
        return texts;
    };
    EXPECT_EQ(markerTexts(46), (std::vector<Text>{{21 * W, markerY, "46 (.)", TPaneText::Plain}}));
    EXPECT_EQ(markerTexts(33), (std::vector<Text>{{21 * W, markerY, "33 (!)", TPaneText::Plain}}));
    EXPECT_EQ(markerTexts(32), (std::vector<Text>{{21 * W, markerY, "32", TPaneText::Plain}}));
    EXPECT_EQ(markerTexts(16), (std::vector<Text>{{21 * W, markerY, "16", TPaneText::Plain},
                                                  {26 * W, markerY + 3, // a fifth of L
                                                   "(\x10)", TPaneText::Symbol}}));
}

TEST(PrintSettingsLayout, TenRowsOfTheirOwnElement)
{
    const TLoaded t("0 ACHART\n1 PRINTINFO 80 66 1 2 3 4 5 6 7 1\n"
                    "0 DCHART\n1 PRINTINFO 10\n0 TRLR\n");
    const auto& first =
        dynamic_cast<const TDefPrintSetting&>(Element(t, "Ancestor Chart Print Settings"));
    const auto& second =
        dynamic_cast<const TDefPrintSetting&>(Element(t, "Descendant Chart Print Settings"));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Sequence 1", "5"},   {"Sequence 2", "6"},  {"Sequence 3", "7"},   {"Page Width", "80"},
        {"Page Height", "66"}, {"Left Margin", "1"}, {"Right Margin", "2"}, {"Top Space", "3"},
        {"Bottom Space", "4"}, {"Page pause", "Yes"}};
    std::vector<Text> expected;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = static_cast<int>(i) * L;
        expected.push_back({W, y, rows[i].first, TPaneText::Plain});
        expected.push_back({16 * W, y, rows[i].second, TPaneText::Plain});
    }
    const TPaneLayout layout = panes::LayPrintSettings(first, W, L);
    EXPECT_EQ(Texts(layout), expected);
    EXPECT_EQ(layout.width, 18 * W);
    EXPECT_EQ(layout.height, 10 * L);

    const TPaneLayout other = panes::LayPrintSettings(second, W, L);
    ASSERT_EQ(other.texts.size(), 20u);
    EXPECT_EQ(other.texts[7].text, "10");
    EXPECT_EQ(other.texts[19].text, "No");
}
