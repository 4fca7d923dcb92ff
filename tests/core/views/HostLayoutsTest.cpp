#include "views/HostLayouts.h"
#include "core/LoadHelpers.h"
#include "model/TDefList.h"
#include "model/TDefPicture.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"
#include "model/TScriptList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr int W = 7;

bool SortedByY(const TPaneLayout& layout)
{
    return std::is_sorted(layout.texts.begin(), layout.texts.end(),
                          [](const TPaneText& a, const TPaneText& b) { return a.y < b.y; });
}

// The first text with these bytes, or null.
const TPaneText* Find(const TPaneLayout& layout, const std::string& text)
{
    for (const TPaneText& t : layout.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

// Where a text is: "x,y", so a failed comparison shows both.
std::string At(const TPaneLayout& layout, const std::string& text)
{
    const TPaneText* t = Find(layout, text);
    return t ? std::to_string(t->x) + "," + std::to_string(t->y) : "missing: " + text;
}

std::string At(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

// Checks that every piece of an ASCII script, none running past its line, answers at its own
// characters counted from the script's origin; the pane lays out every one of them.
void ExpectPiecesAtTheirCharacters(const TPaneLayout& layout, const TDefPicture& script,
                                   int originX, int originY, int L)
{
    ASSERT_NE(script.pieces, nullptr);
    ASSERT_FALSE(script.pieces->empty());
    for (const TScriptPiece& piece : *script.pieces) {
        const std::string before = script.script.substr(0, static_cast<size_t>(piece.offset));
        const auto line = static_cast<int>(std::count(before.begin(), before.end(), '\n'));
        const size_t lineStart = before.rfind('\n');
        const int column = static_cast<int>(
            lineStart == std::string::npos ? before.size() : before.size() - lineStart - 1);
        const int x = originX + column * W, y = originY + line * L;
        const TPieceRect* hit = panes::HitPiece(layout, x, y);
        ASSERT_NE(hit, nullptr) << "piece at " << piece.offset;
        EXPECT_EQ(hit->piece, &piece);
        EXPECT_EQ(hit->rect, (TPaneRect{x, y, x + piece.length * W, y + L}));
    }
}

const char* const kPerson = "0 @person@ RECORD\n"
                            "1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @born@ FIELD date\n2 TAG BIRT\n";
} // namespace

TEST(PicturePane, ScriptAtTheFirstColumnWithItsExtent)
{
    const TLoaded t(std::string(kPerson) +
                    "1 @P@ PICTURE name \"born\"\n2 CONT   born name\n2 CONT x\n0 TRLR\n");
    const TDefPicture* picture = nullptr;
    for (const auto& e : t.db.Definitions())
        if (auto* p = dynamic_cast<const TDefPicture*>(e.get()))
            picture = p;
    ASSERT_NE(picture, nullptr);
    for (const int L : {13, 14}) {
        const TPaneLayout layout = panes::LayPicture(*picture, W, L);
        EXPECT_EQ(layout.width, W + 11 * W); // "name \"born\"" and "  born name"
        EXPECT_EQ(layout.height, 4 * L);
        EXPECT_EQ(At(layout, "x"), At(W, 2 * L));
        ExpectPiecesAtTheirCharacters(layout, *picture, W, 0, L);
        EXPECT_TRUE(SortedByY(layout));
    }
}

TEST(PicturePane, ElementWithoutAScriptShowsAnEmptyOne)
{
    const TLoaded t(std::string(kPerson) + "0 TRLR\n");
    const TPaneLayout layout = panes::LayPicture(*t.At(0), W, 13);
    EXPECT_TRUE(layout.texts.empty());
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_EQ(layout.width, W);
    EXPECT_EQ(layout.height, 2 * 13);
}

TEST(ListPane, EachMethodLineAndWidth)
{
    const TLoaded t("0 LIST\n1 METHOD index\n"
                    "0 LIST\n1 METHOD fill\n"
                    "0 LIST\n1 METHOD anctree\n1 GENERATIONS 5\n1 BASE 1\n1 PIN 12\n"
                    "0 LIST\n1 METHOD desctree\n1 GENERATIONS 3\n1 BASE 2\n1 PIN -1\n"
                    "0 LIST\n1 METHOD lines\n1 GENERATIONS 4\n1 BASE 6\n"
                    "0 LIST\n0 TRLR\n");
    const int L = 12;
    struct Expected {
        std::vector<std::string> lines;
        int width;
    };
    const Expected expected[] = {
        {{"Method: Index"}, 25 * W},
        {{"Method: Fill"}, 25 * W},
        {{"Ancestor Tree for 5 generations from ", "generation 1, person RIN 12"}, 42 * W},
        {{"Descendants Tree for 3 generations from ", "generation 2, person RIN 4294967295"},
         42 * W},
        {{"Line of Descent from generation 6 for 4 generations"}, 53 * W},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TPaneLayout layout = panes::LayList(*t.At<TDefList>(i), W, L);
        ASSERT_EQ(layout.texts.size(), expected[i].lines.size()) << i;
        for (size_t k = 0; k < expected[i].lines.size(); ++k) {
            EXPECT_EQ(layout.texts[k].text, expected[i].lines[k]);
            EXPECT_EQ(At(layout.texts[k].x, layout.texts[k].y), At(W, static_cast<int>(k) * L));
        }
        EXPECT_EQ(layout.width, expected[i].width) << i;
        EXPECT_EQ(layout.height, static_cast<int>(expected[i].lines.size()) * L) << i;
    }
    // A method number outside 0 to 4 draws an empty first line.
    auto* odd = t.At<TDefList>(5);
    odd->method = 7;
    const TPaneLayout layout = panes::LayList(*odd, W, L);
    EXPECT_TRUE(layout.texts.empty());
    EXPECT_EQ(layout.width, 53 * W);
    EXPECT_EQ(layout.height, L);
}

TEST(ListPane, SortKeysThenFilterScriptBelowItsHeading)
{
    const std::string longLine(40, 'n');
    const TLoaded t("0 LIST\n1 TYPE person\n1 METHOD index\n"
                    "1 KEY\n2 EXPRESSION surname\n2 DIRECTION ascending\n"
                    "1 KEY\n2 EXPRESSION born\n"
                    "1 KEY\n"
                    "1 FILTER sex = \"m\"\n2 CONT " +
                    longLine + "\n0 TRLR\n");
    const auto* list = t.At<TDefList>(0);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->filter, nullptr);
    for (const int L : {15, 16}) {
        const int half = L / 2;
        const TPaneLayout layout = panes::LayList(*list, W, L);
        EXPECT_EQ(At(layout, "Method: Index"), At(W, 0));
        EXPECT_EQ(At(layout, "Sorted by:-"), At(W, L + half));
        EXPECT_EQ(At(layout, "surname (ascending)"), At(3 * W, 2 * L + half));
        EXPECT_EQ(At(layout, "born (descending)"), At(3 * W, 3 * L + half));
        EXPECT_EQ(At(layout, " (descending)"), At(3 * W, 4 * L + half));
        EXPECT_EQ(At(layout, "Filtered by:-"), At(W, 5 * L + 2 * half));
        const int scriptY = L + (3 + 1) * L + half + L + half;
        EXPECT_EQ(At(layout, longLine), At(3 * W, scriptY + L));
        EXPECT_EQ(layout.height, scriptY + 3 * L);
        EXPECT_EQ(layout.width, 3 * W + 40 * W);
        EXPECT_TRUE(SortedByY(layout));
    }
}

TEST(ListPane, FilterPiecesAnswerWhereTheScriptIs)
{
    const TLoaded t(std::string(kPerson) +
                    "0 LIST\n1 TYPE person\n1 METHOD index\n1 FILTER name\n2 CONT born\n0 TRLR\n");
    const TDefList* list = nullptr;
    for (const auto& e : t.db.Definitions())
        if (auto* l = dynamic_cast<const TDefList*>(e.get()))
            list = l;
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->filter, nullptr);
    const int L = 15;
    const TPaneLayout layout = panes::LayList(*list, W, L);
    ExpectPiecesAtTheirCharacters(layout, *list->filter, 3 * W, L + L + L / 2, L);
}

TEST(TablePane, ScriptOfTheOnlyColumnWithBothTitles)
{
    const TLoaded t(std::string(kPerson) +
                    "0 @T@ TABLE\n1 TYPE person\n1 TITLE First\n1 TITLE Second\n"
                    "1 COLUMN\n2 TITLE Name\n2 WIDTH 20\n2 JUSTIFICATION left\n"
                    "2 PICTURE name born\n0 TRLR\n");
    const auto* table = t.Titled<TDefTable>("person Table T");
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->columns[0].picture, nullptr);
    for (const int L : {13, 14}) {
        const int half = L / 2;
        const TPaneLayout layout = panes::LayTable(*table, W, L);
        EXPECT_EQ(At(layout, "First"), At(W, 0));
        EXPECT_EQ(At(layout, "Second"), At(W, L));
        EXPECT_EQ(At(layout, "Columns:-"), At(W, 2 * L + half));
        EXPECT_EQ(At(layout, "Title"), At(3 * W, 3 * L + half));
        EXPECT_EQ(At(layout, "Width"), At(33 * W, 3 * L + half));
        EXPECT_EQ(At(layout, "Position"), At(39 * W, 3 * L + half));
        EXPECT_EQ(At(layout, "Name"), At(3 * W, 4 * L + 2 * half));
        EXPECT_EQ(At(layout, "20"), At(33 * W, 4 * L + 2 * half));
        EXPECT_EQ(At(layout, "left"), At(39 * W, 4 * L + 2 * half));
        EXPECT_EQ(At(layout, "Picture Script:"), At(3 * W, 5 * L + 2 * half));
        // 7 L for an even L, 6 L + L - 1 for an odd one.
        const int scriptY = 6 * L + 2 * half;
        EXPECT_EQ(scriptY, L % 2 ? 7 * L - 1 : 7 * L);
        ExpectPiecesAtTheirCharacters(layout, *table->columns[0].picture, W + 4 * W, scriptY, L);
        EXPECT_EQ(layout.height, scriptY + 2 * L);
        EXPECT_EQ(layout.width, W + 50 * W);
        EXPECT_TRUE(SortedByY(layout));
    }
}

TEST(TablePane, WithoutTitlesTheScriptsStayWhereSetUpPutsThem)
{
    const TLoaded t("0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 WIDTH -3\n2 PICTURE a\n"
                    "1 COLUMN\n2 PICTURE b\n0 TRLR\n");
    const auto* table = t.At<TDefTable>(0);
    ASSERT_NE(table, nullptr);
    const int L = 13, half = L / 2;
    const TPaneLayout layout = panes::LayTable(*table, W, L);
    EXPECT_EQ(At(layout, "Columns:-"), At(W, 0));
    EXPECT_EQ(At(layout, "Title"), At(3 * W, L));
    EXPECT_EQ(At(layout, "-3"), At(33 * W, 2 * L + half));
    const int first = L + L + half + 2 * L + half;
    EXPECT_EQ(At(layout, "a"), At(5 * W, first));
    EXPECT_EQ(At(layout, "b"), At(5 * W, first + 2 * L + 2 * L + half));
    EXPECT_EQ(layout.height, first + 2 * L + 2 * L + half + 2 * L);
    EXPECT_TRUE(SortedByY(layout));
}

TEST(TablePane, ColumnWithoutScriptKeepsTheNextScriptBelowItsOwnRows)
{
    const TLoaded t("0 @T@ TABLE\n1 TYPE person\n1 TITLE Only\n"
                    "1 COLUMN\n2 TITLE empty\n2 WIDTH 3\n"
                    "1 COLUMN\n2 TITLE scripted\n2 WIDTH 4\n2 PICTURE line one\n3 CONT line two\n"
                    "0 TRLR\n");
    const auto* table = t.At<TDefTable>(0);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->columns[0].picture, nullptr);
    for (const int L : {13, 14}) {
        const TPaneLayout layout = panes::LayTable(*table, W, L);
        const TPaneText* row = Find(layout, "scripted");
        const TPaneText* script = Find(layout, "line one");
        ASSERT_TRUE(row && script);
        // Below the column's "Picture Script:" line, which is the line after its row.
        EXPECT_GE(script->y, row->y + 2 * L);
        for (const TPaneText& text : layout.texts)
            EXPECT_LE(text.y + L, layout.height) << text.text;
        EXPECT_EQ(std::count_if(layout.texts.begin(), layout.texts.end(),
                                [](const TPaneText& x) { return x.text == "Picture Script:"; }),
                  2);
        EXPECT_TRUE(SortedByY(layout));
    }
}

TEST(TablePane, WideScriptWidensThePane)
{
    const std::string wide(70, 'w');
    const TLoaded t("0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 PICTURE " + wide + "\n0 TRLR\n");
    const TPaneLayout layout = panes::LayTable(*t.At<TDefTable>(0), W, 13);
    // The script pane's width already counts its origin; the pane adds that origin again.
    const int origin = W + 4 * W;
    EXPECT_EQ(layout.width, origin + origin + 70 * W);
}

namespace {
const char* const kReport = "0 @R@ REPORT\n1 TYPE person\n1 WIDTH 10\n1 HEIGHT 3\n"
                            "1 BACKGROUND Name:\n1 BACKGROUND\n1 BACKGROUND Born:\n"
                            "1 AREA\n2 X 6\n2 Y 0\n2 WIDTH 4\n2 HEIGHT 1\n2 PICTURE name\n"
                            "1 AREA\n2 X 1\n2 Y 1\n2 WIDTH 3\n2 HEIGHT 2\n"
                            "0 TRLR\n";
}

TEST(ReportPane, BackgroundLinesWithAreasDrawnOverThem)
{
    TLoaded t(kReport);
    const auto* report = t.At<TDefReport>(0);
    ASSERT_NE(report, nullptr);
    ASSERT_EQ(report->stride, 12);
    const int L = 13;
    const TPaneLayout layout = panes::LayReport(*report, W, L);
    struct Expected {
        int x, y;
        std::string text;
        TPaneText::TStyle style;
    };
    const std::string blank(11, ' ');
    const std::vector<Expected> expected = {
        {W, 0, "Name:" + blank.substr(5), TPaneText::Plain},
        {W + 6 * W, 0, "AAAA", TPaneText::Highlight},
        {W, L, blank, TPaneText::Plain},
        {W + W, L, "BBB", TPaneText::Highlight},
        {W, 2 * L, "Born:" + blank.substr(5), TPaneText::Plain},
        {W + W, 2 * L, "BBB", TPaneText::Highlight},
        {W, 3 * L, blank, TPaneText::Plain},
    };
    ASSERT_EQ(layout.texts.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(At(layout.texts[i].x, layout.texts[i].y), At(expected[i].x, expected[i].y));
        EXPECT_EQ(layout.texts[i].text, expected[i].text) << i;
        EXPECT_EQ(layout.texts[i].style, expected[i].style) << i;
    }
    EXPECT_EQ(layout.width, 12 * W);
    EXPECT_EQ(layout.height, 4 * L);
    EXPECT_TRUE(layout.pieces.empty());

    // A zero byte ends a line early.
    t.At<TDefReport>(0)->background[2] = '\0';
    EXPECT_EQ(panes::LayReport(*report, W, L).texts[0].text, "Na");
}

TEST(ReportPane, AreasAnswerClicksInsideTheirRectangles)
{
    const TLoaded t(kReport);
    const auto* report = t.At<TDefReport>(0);
    const int L = 13;
    const TPaneLayout layout = panes::LayReport(*report, W, L);
    ASSERT_EQ(layout.areas.size(), 2u);
    EXPECT_EQ(layout.areas[0].rect, (TPaneRect{7 * W, 0, 11 * W, L}));
    EXPECT_EQ(layout.areas[0].picture, report->areas[0].picture);
    ASSERT_NE(layout.areas[0].picture, nullptr);
    EXPECT_EQ(layout.areas[1].rect, (TPaneRect{2 * W, L, 5 * W, 3 * L}));
    EXPECT_EQ(layout.areas[1].picture, nullptr);

    EXPECT_EQ(panes::HitArea(layout, 7 * W, 0), &layout.areas[0]);
    EXPECT_EQ(panes::HitArea(layout, 11 * W - 1, L - 1), &layout.areas[0]);
    EXPECT_EQ(panes::HitArea(layout, 11 * W, 0), nullptr);
    EXPECT_EQ(panes::HitArea(layout, 7 * W, L), nullptr);
    EXPECT_EQ(panes::HitArea(layout, 3 * W, 2 * L + 5), &layout.areas[1]);
    EXPECT_EQ(panes::HitArea(layout, 3 * W, 3 * L), nullptr);
    EXPECT_EQ(panes::HitArea(layout, W, 0), nullptr);
    // The pane keeps the rectangles; the model's areas stay as read.
    const auto asRead = [](const TDefReport::Area& a) {
        return std::vector<int32_t>{a.column, a.row, a.width, a.height};
    };
    EXPECT_EQ(asRead(report->areas[0]), (std::vector<int32_t>{6, 0, 4, 1}));
    EXPECT_EQ(asRead(report->areas[1]), (std::vector<int32_t>{1, 1, 3, 2}));
}

TEST(ReportPane, WideAreaIsDrawnWhole)
{
    const TLoaded t("0 @R@ REPORT\n1 WIDTH 400\n1 HEIGHT 0\n1 BACKGROUND x\n"
                    "1 AREA\n2 X 50\n2 Y 0\n2 WIDTH 300\n2 HEIGHT 1\n2 PICTURE a\n0 TRLR\n");
    const TPaneLayout layout = panes::LayReport(*t.At<TDefReport>(0), W, 13);
    ASSERT_EQ(layout.texts.size(), 2u);
    EXPECT_EQ(layout.texts[1].text, std::string(300, 'A'));
    EXPECT_EQ(layout.texts[1].x, W + 50 * W);
}

TEST(ReportPane, AreaLeftOfThePageIsDrawnFromTheFirstReachableColumn)
{
    const TLoaded t("0 @R@ REPORT\n1 WIDTH 10\n1 HEIGHT 2\n1 BACKGROUND x\n"
                    "1 AREA\n2 X -3\n2 Y -1\n2 WIDTH 5\n2 HEIGHT 3\n2 PICTURE a\n0 TRLR\n");
    const auto* report = t.At<TDefReport>(0);
    ASSERT_EQ(report->areas.size(), 1u);
    const int L = 13;
    const TPaneLayout layout = panes::LayReport(*report, W, L);
    EXPECT_EQ(layout.areas[0].rect, (TPaneRect{W - 3 * W, -L, W + 2 * W, 2 * L}));
    std::vector<std::string> fills;
    for (const TPaneText& text : layout.texts)
        if (text.style == TPaneText::Highlight) {
            EXPECT_EQ(text.x, 0);
            fills.push_back(text.text);
        }
    // Rows 0 and 1; columns -1 to 1, the cells that x >= 0 can show.
    EXPECT_EQ(fills, (std::vector<std::string>{"AAA", "AAA"}));
}

TEST(ReportPane, ReportWithoutBackgroundStillShowsItsAreas)
{
    const TLoaded t("0 @R@ REPORT\n1 WIDTH 5\n1 HEIGHT 1\n1 AREA\n2 X 1\n2 WIDTH 2\n"
                    "2 HEIGHT 1\n2 PICTURE a\n0 TRLR\n");
    const auto* report = t.At<TDefReport>(0);
    ASSERT_FALSE(report->HasBackground());
    const TPaneLayout layout = panes::LayReport(*report, W, 13);
    ASSERT_EQ(layout.texts.size(), 1u);
    EXPECT_EQ(At(layout, "AA"), At(2 * W, 0));
    EXPECT_EQ(layout.width, 7 * W);
    EXPECT_EQ(layout.height, 2 * 13);
}

TEST(ReportPane, HugeAreasNeverHoldMoreFillThanTheLargestBackground)
{
    const TLoaded t("0 @R@ REPORT\n1 WIDTH 2000000000\n1 HEIGHT 2000000000\n"
                    "1 AREA\n2 X 0\n2 Y 0\n2 WIDTH 2000000000\n2 HEIGHT 2000000000\n2 PICTURE a\n"
                    "1 AREA\n2 X 0\n2 Y 0\n2 WIDTH 4000\n2 HEIGHT 40000\n2 PICTURE b\n"
                    "0 TRLR\n");
    const auto* report = t.At<TDefReport>(0);
    const TPaneLayout layout = panes::LayReport(*report, W, 13);
    size_t cells = 0;
    for (const TPaneText& text : layout.texts)
        cells += text.text.size();
    EXPECT_LE(cells, static_cast<size_t>(TDefReport::kMaxCells));
    ASSERT_EQ(layout.areas.size(), 2u);
    EXPECT_GT(layout.areas[0].rect.right, layout.areas[0].rect.left);
    EXPECT_TRUE(SortedByY(layout));
}
