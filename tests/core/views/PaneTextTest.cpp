#include "views/PaneText.h"
#include "core/LoadHelpers.h"
#include "views/HostLayouts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr int W = 7;
constexpr int L = 13;

TPaneText Text(int column, int line, std::string text, bool utf8 = true, int down = 0)
{
    TPaneText t;
    t.x = column * W;
    t.y = line * L + down;
    t.text = std::move(text);
    t.utf8 = utf8;
    return t;
}

// The characters a text reads as, decoded the plain way: each UTF-8 sequence, or each byte as its
// Latin-1 character (these designs hold none of the bytes where Windows-1252 differs).
std::u32string Read(const TPaneText& text)
{
    std::u32string out;
    const std::string& s = text.text;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t c = b;
        if (text.utf8 && panes::IsUtf8(s) && b >= 0xC0) {
            const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
            c = b & (0x3F >> extra);
            for (int k = 0; k < extra; ++k)
                c = c << 6 | (static_cast<unsigned char>(s[++i]) & 0x3F);
        }
        out.push_back(c < 0x20 ? U' ' : c);
    }
    return out;
}
} // namespace

TEST(PaneText, TextsFillTheirCellsLineByLineLaterOverEarlier)
{
    TPaneLayout layout;
    layout.height = 5 * L;
    layout.texts = {
        Text(1, 0, "Name"),
        Text(8, 0, "\xC3\x89t\xC3\xA9"),    // UTF-8: three characters
        Text(3, 2, "\xC9t\xE9", false),     // Windows-1252: three characters
        Text(0, 2, "abcdefgh"),             // drawn over the one before it
        Text(12, 2, "(\x01)", true, L / 5), // a symbol a little lower, on the same line
        Text(2, 3, "end  "),                // trailing blanks dropped
    };
    const std::vector<std::u32string> expected = {U" Name   \u00C9t\u00E9", U"", U"abcdefgh    ( )",
                                                  U"  end"};
    const panes::TPaneLines lines = panes::GridLines(layout, W, L);
    EXPECT_EQ(lines.lines, expected);
    EXPECT_EQ(lines.tops, (std::vector<int>{0, L, 2 * L, 3 * L}));
    EXPECT_TRUE(panes::GridLines(TPaneLayout{}, W, L).lines.empty());
}

TEST(PaneText, RowsOffTheGridMakeLinesAtTheirTopsWithEmptyLinesForTheSpaceBetween)
{
    TPaneLayout layout;
    // Rows 20 and 60 pixels down; a text less than L below a row's top joins that row.
    layout.texts = {Text(0, 0, "a", true, 20), Text(2, 0, "b", true, 20 + L - 1),
                    Text(0, 0, "c", true, 60)};
    const panes::TPaneLines lines = panes::GridLines(layout, W, L);
    EXPECT_EQ(lines.lines, (std::vector<std::u32string>{U"", U"a b", U"", U"", U"c"}));
    EXPECT_EQ(lines.tops, (std::vector<int>{0, 20, 20 + L, 20 + 2 * L, 60}));
    const struct {
        int y;
        int line;
    } at[] = {{-5, 0}, {0, 0}, {19, 0}, {20, 1}, {20 + L, 2}, {59, 3}, {60, 4}, {1000, 4}};
    for (const auto& c : at)
        EXPECT_EQ(lines.LineAt(c.y), c.line) << c.y;
    // A rectangle over two rows reads from its top line to its bottom one.
    EXPECT_EQ(panes::SpanOf(lines, {W, 20, 3 * W, 61}, W), (panes::TGridSpan{1, 1, 4, 3}));
}

TEST(PaneText, EveryPieceOfEveryPaneReadsAtItsSpan)
{
    TDatabase db;
    ASSERT_EQ(db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"), TDatabase::TLoadResult::Loaded);
    size_t pieces = 0;
    for (const auto& element : db.Definitions()) {
        TPaneKind kind;
        if (!element->PaneKind(kind))
            continue;
        const TPaneLayout layout = panes::LayPane(*element, kind, db.Definitions(), W, L);
        const panes::TPaneLines grid = panes::GridLines(layout, W, L);
        const std::vector<std::u32string>& lines = grid.lines;
        // A text no later text on its line overlaps reads in its cells as it is.
        for (size_t t = 0; t < layout.texts.size(); ++t) {
            const TPaneText& text = layout.texts[t];
            const std::u32string read = Read(text);
            const int first = text.x / W, last = first + static_cast<int>(read.size());
            bool covered = false;
            for (size_t later = t + 1; later < layout.texts.size(); ++later) {
                const TPaneText& o = layout.texts[later];
                covered = covered || (grid.LineAt(o.y) == grid.LineAt(text.y) && o.x / W < last &&
                                      o.x / W + static_cast<int>(Read(o).size()) > first);
            }
            if (covered || read.find_first_not_of(U' ') == std::u32string::npos)
                continue;
            std::u32string shown = lines[static_cast<size_t>(grid.LineAt(text.y))];
            shown.resize(std::max(shown.size(), static_cast<size_t>(last)), U' ');
            EXPECT_EQ(shown.substr(static_cast<size_t>(first), read.size()), read)
                << element->Title() << " text " << t;
            if (text.piece) {
                for (const TPieceRect& p : layout.pieces)
                    if (p.piece == text.piece && p.rect.top == text.y && p.rect.left == text.x) {
                        const int line = grid.LineAt(text.y);
                        EXPECT_EQ(panes::SpanOf(grid, p.rect, W),
                                  (panes::TGridSpan{line, first, line, last}))
                            << element->Title() << " text " << t;
                        ++pieces;
                    }
            }
        }
    }
    EXPECT_GT(pieces, 100U);
}
