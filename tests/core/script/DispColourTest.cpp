#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TScriptList.h"
#include "script/TDispColour.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>

namespace {
using Settings = std::map<std::string, std::string>;

// Colour references are 0x00BBGGRR.
constexpr TDispColour::TColourRef kBlue = 0xFF0000;
constexpr TDispColour::TColourRef kGreen200 = 0x00C800;
constexpr TDispColour::TColourRef kRed200 = 0x0000C8;
constexpr TDispColour::TColourRef kOlive = 0x00C0C0;
constexpr TDispColour::TColourRef kTeal = 0xC8C800;
constexpr TDispColour::TColourRef kPurple = 0xC800C8;
constexpr TDispColour::TColourRef kBlack = 0x000000;

TDispColour ReadFrom(const Settings& settings)
{
    TDispColour scheme;
    scheme.Read([&](const std::string& key) -> std::optional<std::string> {
        const auto it = settings.find(key);
        if (it == settings.end())
            return std::nullopt;
        return it->second;
    });
    return scheme;
}

using loadhelpers::kDesign;

// The colour of each piece of the family picture, by the piece's text; the first piece wins.
std::map<std::string, TDispColour::TColourRef> ColoursByText(const TDispColour& scheme,
                                                             const TLoaded& t)
{
    std::map<std::string, TDispColour::TColourRef> colours;
    const auto* picture = t.Titled<TDefPicture>("family picture script p");
    if (!picture || !picture->pieces)
        return colours;
    for (const TScriptPiece& piece : *picture->pieces) {
        const std::string text = picture->script.substr(static_cast<size_t>(piece.offset),
                                                        static_cast<size_t>(piece.length));
        colours.emplace(text, scheme.PieceColour(piece));
    }
    return colours;
}
} // namespace

TEST(ColourScheme, WithoutSettingsEveryClassHasItsDefaultColour)
{
    const TLoaded t(kDesign);
    ASSERT_EQ(t.db.InternalError(), "");
    const auto colours = ColoursByText(ReadFrom({}), t);
    const std::map<std::string, TDispColour::TColourRef> expected = {
        {"\"x\"", kBlue},   {"12", kBlue},     {"name", kGreen200},    {"person", kTeal},
        {"mother", kOlive}, {"show", kRed200}, {"husband", kGreen200}, {"date", kPurple},
    };
    for (const auto& [text, colour] : expected) {
        ASSERT_TRUE(colours.count(text)) << text;
        EXPECT_EQ(colours.at(text), colour) << text;
    }
    // Keywords and operators, whether or not the scanner keeps a piece for them.
    const TDispColour scheme;
    for (uint32_t kind : {0u, 8u, 9u, 10u, 11u, 12u})
        EXPECT_EQ(scheme.PieceColour(kind, -1, 0), kBlack) << kind;
}

TEST(ColourScheme, LinkedFieldDrawsInThePicturesColourAndAliasIsNotUnderlined)
{
    const TLoaded t(kDesign);
    const auto* picture = t.Titled<TDefPicture>("family picture script p");
    ASSERT_TRUE(picture && picture->pieces && !picture->pieces->empty());
    TDispColour scheme = ReadFrom({{"Pictures", "123456"}});
    const TScriptPiece& last = picture->pieces->back();
    EXPECT_EQ(picture->script.substr(static_cast<size_t>(last.offset)), "husband");
    EXPECT_TRUE(last.flags & TScriptPiece::kLinked);
    EXPECT_TRUE(last.flags & TScriptPiece::kUnderlined);
    EXPECT_EQ(scheme.PieceColour(last), 0x123456u);

    int aliases = 0;
    for (const TScriptPiece& piece : *picture->pieces) {
        if (piece.target && piece.target->name == "mother") {
            ++aliases;
            EXPECT_FALSE(piece.flags & TScriptPiece::kUnderlined);
        }
    }
    EXPECT_EQ(aliases, 1);
}

TEST(ColourScheme, EachClassFollowsItsOwnSlot)
{
    // Give every row a colour of its own; each class of piece must then show that row's colour.
    Settings settings;
    for (int row = 0; row < TDispColour::kRows; ++row)
        settings[TDispColour::Rows()[static_cast<size_t>(row)].key] = std::to_string(row + 1);
    const TDispColour scheme = ReadFrom(settings);
    const auto row = [](const std::string& key) -> TDispColour::TColourRef {
        for (int r = 0; r < TDispColour::kRows; ++r)
            if (key == TDispColour::Rows()[static_cast<size_t>(r)].key)
                return static_cast<TDispColour::TColourRef>(r + 1);
        return 0;
    };
    for (uint32_t kind : {1u, 3u, 4u}) {
        for (int target : {kinds::Choice, kinds::Group, kinds::Record})
            EXPECT_EQ(scheme.PieceColour(kind, target, 3), row("Records"));
        for (int target : {kinds::Field, kinds::Word}) {
            EXPECT_EQ(scheme.PieceColour(kind, target, 3), row("Fields"));
            EXPECT_EQ(scheme.PieceColour(kind, target, 7), row("Pictures"));
        }
        for (int target : {kinds::Alias, kinds::Variable})
            EXPECT_EQ(scheme.PieceColour(kind, target, 1), row("Variables"));
        for (int target : {-1, kinds::BuiltIn, kinds::Picture, kinds::Table})
            EXPECT_EQ(scheme.PieceColour(kind, target, 1), row("Types"));
    }
    // Only names use the linked flag; other kinds ignore the target.
    EXPECT_EQ(scheme.PieceColour(2, kinds::Field, 0), row("Pictures"));
    EXPECT_EQ(scheme.PieceColour(5, kinds::Record, 7), row("Literals"));
    EXPECT_EQ(scheme.PieceColour(6, -1, 0), row("Literals"));
    EXPECT_EQ(scheme.PieceColour(7, -1, 0), row("Literals"));
    EXPECT_EQ(scheme.PieceColour(TDispColour::kHighlightKind, -1, 0), row("Highlight"));
    EXPECT_EQ(scheme.PieceColour(11, kinds::Field, 7), row("Default"));
}

TEST(ColourScheme, SettingIsTheColourReferenceItself)
{
    const TLoaded t(kDesign);
    const auto colours = ColoursByText(ReadFrom({{"Fields", "ff"}}), t);
    ASSERT_TRUE(colours.count("name"));
    EXPECT_EQ(colours.at("name"), 0x0000FFu); // red 255
    EXPECT_EQ(colours.at("mother"), kOlive);
}

TEST(ColourScheme, ValueThatIsNotHexadecimalKeepsTheDefault)
{
    const TDispColour darkDefaults(TDispColour::TScheme::Dark);
    for (const char* bad : {"", "red", "12zz", "0x", "-5", "ff ff", "100000000"}) {
        const TDispColour scheme = ReadFrom({{"Literals", bad}, {"Custom9", bad}});
        EXPECT_EQ(scheme.RowColour(0), kBlue) << bad;
        EXPECT_EQ(scheme.CustomColour(9), kBlack) << bad;
        // The dark scheme keeps its own defaults, every key garbled.
        TDispColour dark(TDispColour::TScheme::Dark);
        dark.Read([bad](const std::string&) -> std::optional<std::string> { return bad; });
        for (int row = 0; row < TDispColour::kRows; ++row)
            EXPECT_EQ(dark.RowColour(row), darkDefaults.RowColour(row)) << bad << " " << row;
        EXPECT_EQ(dark.CustomColour(3), darkDefaults.RowColour(3)) << bad;
    }
    EXPECT_EQ(ReadFrom({{"Literals", " 0xAbC "}}).RowColour(0), 0xABCu);
}

TEST(ColourScheme, OnlyTheFirstNineteenCharactersAreRead)
{
    const std::string zeros(18, '0');
    EXPECT_EQ(ReadFrom({{"Types", zeros + "f"}}).RowColour(5), 0xFu);
    // The twentieth character is cut off, not read.
    EXPECT_EQ(ReadFrom({{"Types", zeros + "fz"}}).RowColour(5), 0xFu);
    EXPECT_EQ(ReadFrom({{"Types", zeros + "0f"}}).RowColour(5), 0u);
}

TEST(ColourScheme, CustomColoursDefaultToTheRowsThenBlack)
{
    const TDispColour scheme;
    for (int i = 0; i < TDispColour::kCustomColours; ++i) {
        const TDispColour::TColourRef expected =
            i < TDispColour::kRows ? scheme.RowColour(i) : kBlack;
        EXPECT_EQ(scheme.CustomColour(i), expected) << i;
    }
    EXPECT_EQ(scheme.CustomColour(2), kRed200);
}

TEST(ColourScheme, RowColourChangesWhatPiecesDrawIn)
{
    TDispColour scheme;
    scheme.RowColour(2) = 0x010203; // "Pictures"
    EXPECT_EQ(scheme.PieceColour(2, -1, 0), 0x010203u);
    EXPECT_EQ(scheme.RowColour(6), kRed200); // "Highlight" has the same default, its own slot
}

TEST(ColourScheme, EntriesAreTheTwentyFourKeysInSmallLetterHexadecimal)
{
    const TDispColour defaults;
    const auto entries = defaults.Entries();
    ASSERT_EQ(entries.size(), 24u);
    std::set<std::string> keys;
    for (const auto& [key, value] : entries) {
        keys.insert(key);
        EXPECT_EQ(value.find_first_not_of("0123456789abcdef"), std::string::npos) << key;
        EXPECT_TRUE(value == "0" || value[0] != '0') << key << " " << value;
    }
    EXPECT_EQ(keys.size(), 24u);
    EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"Literals", "ff0000"}));
    EXPECT_EQ(entries[2], (std::pair<std::string, std::string>{"Pictures", "c8"}));
    EXPECT_EQ(entries[7], (std::pair<std::string, std::string>{"Default", "0"}));
    EXPECT_EQ(entries[8].first, "Custom0");
    EXPECT_EQ(entries[23], (std::pair<std::string, std::string>{"Custom15", "0"}));
}

TEST(ColourScheme, EntriesReadBackToTheSameScheme)
{
    std::mt19937 random(7);
    TDispColour scheme;
    for (int row = 0; row < TDispColour::kRows; ++row)
        scheme.RowColour(row) = random() & 0xFFFFFF;
    for (int i = 0; i < TDispColour::kCustomColours; ++i)
        scheme.CustomColour(i) = random();
    const auto entries = scheme.Entries();
    const TDispColour back = ReadFrom(Settings(entries.begin(), entries.end()));
    EXPECT_EQ(back.Entries(), entries);
    for (int row = 0; row < TDispColour::kRows; ++row)
        EXPECT_EQ(back.RowColour(row), scheme.RowColour(row));
}

TEST(ColourScheme, HexMatchesPrintfAndParsesBack)
{
    std::mt19937 random(11);
    std::vector<TDispColour::TColourRef> values = {0, 1, 0xF, 0x10, 0xC8, 0xFFFFFFFF};
    for (int i = 0; i < 1000; ++i)
        values.push_back(random() >> (random() % 32));
    for (const TDispColour::TColourRef value : values) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%x", static_cast<unsigned>(value));
        EXPECT_EQ(TDispColour::Hex(value), expected);
        EXPECT_EQ(TDispColour::ParseHex(expected), value);
    }
}

TEST(ColourScheme, ContrastIsTheWcagRatioOfRelativeLuminances)
{
    // Values from the WCAG's own examples and its formula worked by hand.
    struct Case {
        TDispColour::TColourRef a, b;
        double ratio;
    };
    const Case cases[] = {
        {0xFFFFFF, 0x000000, 21.0},   {0x000000, 0xFFFFFF, 21.0},  {0x777777, 0xFFFFFF, 4.478},
        {0x767676, 0xFFFFFF, 4.542},  {0x0000FF, 0xFFFFFF, 3.998}, // pure red
        {0xFF0000, 0x000000, 2.444},                               // pure blue
        {0x00FF00, 0x000000, 15.304},                              // pure green
        {0x123456, 0x123456, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TDispColour::Contrast(c.a, c.b), c.ratio, 0.005)
            << std::hex << c.a << " " << c.b;
    EXPECT_DOUBLE_EQ(TDispColour::Luminance(0xFFFFFF), 1.0);
    EXPECT_DOUBLE_EQ(TDispColour::Luminance(0), 0.0);
}

TEST(ColourScheme, EveryDarkColourReadsOnTheDarkBackgroundAndWhenSelected)
{
    // A selection inverts the cells, so the inverted colour is read on the inverted background.
    const auto inverted = [](TDispColour::TColourRef c) { return ~c & 0xFFFFFFu; };
    const TDispColour dark(TDispColour::TScheme::Dark);
    const TDispColour light;
    for (int row = 0; row < TDispColour::kRows; ++row) {
        const TDispColour::TColourRef c = dark.RowColour(row);
        const char* key = TDispColour::Rows()[static_cast<size_t>(row)].key;
        EXPECT_GE(TDispColour::Contrast(c, TDispColour::kDarkBackground), 4.5) << key;
        EXPECT_GE(TDispColour::Contrast(inverted(c), inverted(TDispColour::kDarkBackground)), 4.5)
            << key;
        EXPECT_NE(c, light.RowColour(row)) << key;
    }
    // Report areas and underlined pieces draw in these same slots.
    EXPECT_EQ(dark.PieceColour(TDispColour::kHighlightKind, -1, 0), dark.RowColour(6));
    EXPECT_GE(TDispColour::Contrast(dark.PieceColour(TDispColour::kHighlightKind, -1, 0),
                                    TDispColour::kDarkBackground),
              4.5);
}
