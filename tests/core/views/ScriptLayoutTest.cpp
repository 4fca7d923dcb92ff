#include "views/ScriptLayout.h"
#include "model/TScriptList.h"
#include "views/TPaneLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {
constexpr int W = 7;
constexpr int L = 13;
constexpr int X0 = W;

// Pieces given by (offset, length), kept in list order as the scanner leaves them.
TScriptList Pieces(const std::vector<std::pair<int, int>>& ranges)
{
    TScriptList list;
    for (const auto& [offset, length] : ranges) {
        TScriptPiece piece;
        piece.offset = offset;
        piece.length = length;
        list.Insert(piece);
    }
    return list;
}

struct TLaid {
    TPaneLayout layout;
    panes::TExtent extent;
};

TLaid Lay(const std::string& text, const TScriptList* pieces, int originX = X0, int originY = 0)
{
    TLaid laid;
    laid.extent = panes::LayScript(laid.layout, text, pieces, originX, originY, W, L);
    return laid;
}

TPaneRect Rect(int column, int line, int columns, int originX = X0, int originY = 0)
{
    const int x = originX + column * W, y = originY + line * L;
    return {x, y, x + columns * W, y + L};
}

// The rectangles of the pieces laid out, in layout order, with the index of each in the list.
std::vector<std::pair<size_t, TPaneRect>> Rects(const TPaneLayout& layout, const TScriptList& list)
{
    std::vector<std::pair<size_t, TPaneRect>> rects;
    for (const TPieceRect& p : layout.pieces)
        rects.emplace_back(static_cast<size_t>(p.piece - &list[0]), p.rect);
    return rects;
}
} // namespace

TEST(PaneColumns, ValidUtf8CountsSequencesOtherwiseBytes)
{
    EXPECT_EQ(panes::Columns(""), 0);
    EXPECT_EQ(panes::Columns("plain"), 5);
    EXPECT_EQ(panes::Columns("caf\xC3\xA9"), 4);                  // é
    EXPECT_EQ(panes::Columns("\xE2\x82\xAC 5"), 3);               // €
    EXPECT_EQ(panes::Columns("\xF0\x9F\x98\x80!"), 2);            // a four-byte sequence
    EXPECT_EQ(panes::Columns("caf\xE9"), 4);                      // Windows-1252 é
    EXPECT_EQ(panes::Columns("\xC3\xA9\xE9"), 3);                 // one bad byte: all bytes count
    EXPECT_EQ(panes::Columns("\xC0\xAF"), 2);                     // overlong
    EXPECT_EQ(panes::Columns("\xE0\x80\xAF"), 3);                 // overlong
    EXPECT_EQ(panes::Columns("\xED\xA0\x80"), 3);                 // a surrogate
    EXPECT_EQ(panes::Columns("\xF4\x90\x80\x80"), 4);             // past U+10FFFF
    EXPECT_EQ(panes::Columns("ab\xE2\x82"), 4);                   // cut short
    EXPECT_EQ(panes::Columns("\x80"), 1);                         // a lone continuation
    EXPECT_EQ(panes::Columns(std::string("a\0b", 3)), 3);         // NUL is a character
    EXPECT_EQ(panes::Columns("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), 2); // the highest code points
}

TEST(ScriptLayout, ThreeLinesExtentIsLongestLineAndOneLineMore)
{
    const TLaid laid = Lay("short\ntwelve chars\nmid line", nullptr);
    EXPECT_EQ(laid.extent.width, X0 + 12 * W);
    EXPECT_EQ(laid.extent.height, 4 * L);
    ASSERT_EQ(laid.layout.texts.size(), 3u);
    EXPECT_EQ(laid.layout.texts[1].text, "twelve chars");
    EXPECT_EQ(laid.layout.texts[2].x, X0);
    EXPECT_EQ(laid.layout.texts[2].y, 2 * L);
}

TEST(ScriptLayout, EmptyScriptDrawsNothingAndHasOneLine)
{
    const TLaid laid = Lay("", nullptr, 30, 40);
    EXPECT_TRUE(laid.layout.texts.empty());
    EXPECT_EQ(laid.extent.width, 30);
    EXPECT_EQ(laid.extent.height, 2 * L);
    // A closing line feed starts a second, empty line.
    EXPECT_EQ(Lay("ab\n", nullptr).extent.height, 3 * L);
}

TEST(ScriptLayout, MultiByteCharactersTakeOneColumnOnlyInValidUtf8)
{
    // "é" before the piece: one column in UTF-8, two bytes in Windows-1252 terms.
    const std::string utf8 = "caf\xC3\xA9 x\n\xE2\x82\xAC\xE2\x82\xAC";
    const TScriptList utf8Pieces = Pieces({{3, 2}, {6, 1}, {8, 3}});
    const TLaid u = Lay(utf8, &utf8Pieces);
    EXPECT_EQ(Rects(u.layout, utf8Pieces),
              (std::vector<std::pair<size_t, TPaneRect>>{
                  {0, Rect(3, 0, 1)}, {1, Rect(5, 0, 1)}, {2, Rect(0, 1, 1)}}));
    EXPECT_EQ(u.extent.width, X0 + 6 * W);
    EXPECT_EQ(u.layout.texts.back().x, X0 + W); // the second "€"

    // One byte that is not UTF-8 anywhere makes every byte of the script one column.
    const std::string cp1252 = utf8 + "\n\xE9";
    const TLaid c = Lay(cp1252, &utf8Pieces);
    EXPECT_EQ(Rects(c.layout, utf8Pieces),
              (std::vector<std::pair<size_t, TPaneRect>>{
                  {0, Rect(3, 0, 2)}, {1, Rect(6, 0, 1)}, {2, Rect(0, 1, 3)}}));
    EXPECT_EQ(c.extent.width, X0 + 7 * W);
    EXPECT_EQ(c.extent.height, 4 * L);
    // Each run reads as its script does, though "\xC3\xA9" alone would be valid UTF-8.
    for (const TPaneText& t : u.layout.texts)
        EXPECT_TRUE(t.utf8) << t.text;
    for (const TPaneText& t : c.layout.texts)
        EXPECT_FALSE(t.utf8) << t.text;
}

TEST(ScriptLayout, PieceBeforeTheCurrentOffsetEndsPieceDrawing)
{
    // The second piece starts inside the first: it and every piece after it are drawn plain.
    const TScriptList list = Pieces({{0, 5}, {3, 2}, {7, 1}, {12, 2}});
    const TLaid laid = Lay("abcdefgh\nijklmn", &list);
    EXPECT_EQ(Rects(laid.layout, list),
              (std::vector<std::pair<size_t, TPaneRect>>{{0, Rect(0, 0, 5)}}));
    ASSERT_EQ(laid.layout.texts.size(), 3u);
    EXPECT_EQ(laid.layout.texts[1].text, "fgh");
    EXPECT_EQ(laid.layout.texts[1].style, TPaneText::Plain);
    EXPECT_EQ(laid.layout.texts[2].text, "ijklmn");
    EXPECT_EQ(laid.layout.texts[2].style, TPaneText::Plain);
}

TEST(ScriptLayout, PieceRunningPastTheLineEndKeepsItsLengthAndTheNextLineStartsAfresh)
{
    // "bc\nd": drawn up to the line feed, its rectangle four columns wide; the next line is
    // drawn from its start, and the piece after it is still reached.
    const TScriptList list = Pieces({{1, 4}, {6, 1}});
    const TLaid laid = Lay("abc\ndefg", &list);
    EXPECT_EQ(Rects(laid.layout, list),
              (std::vector<std::pair<size_t, TPaneRect>>{{0, Rect(1, 0, 4)}, {1, Rect(2, 1, 1)}}));
    ASSERT_EQ(laid.layout.texts.size(), 5u);
    EXPECT_EQ(laid.layout.texts[1].text, "bc");
    EXPECT_EQ(laid.layout.texts[2].text, "de");
    EXPECT_EQ(laid.layout.texts[2].y, L);
    EXPECT_EQ(laid.layout.texts[2].x, X0);

    // A piece on the line feed itself is not drawn on that line, and the next line starts past
    // it: piece drawing ends.
    const TScriptList onFeed = Pieces({{3, 1}, {5, 1}});
    EXPECT_TRUE(Lay("abc\ndefg", &onFeed).layout.pieces.empty());
}

TEST(ScriptLayout, PiecesOutsideTheTextNeverCrash)
{
    const std::string text = "abcd\nef";
    // Past the end of the text: never reached.
    const TScriptList beyond = Pieces({{40, 3}});
    EXPECT_TRUE(Lay(text, &beyond).layout.pieces.empty());
    // Before the start: ends piece drawing at once.
    const TScriptList before = Pieces({{-3, 2}, {1, 1}});
    EXPECT_TRUE(Lay(text, &before).layout.pieces.empty());
    // Too long: cut at the end of the text. Negative length: an empty rectangle, and the walk
    // goes on to the next piece.
    const TScriptList lengths = Pieces({{1, -5}, {2, 1}, {6, 1000}});
    const TLaid laid = Lay(text, &lengths);
    EXPECT_EQ(Rects(laid.layout, lengths),
              (std::vector<std::pair<size_t, TPaneRect>>{
                  {0, Rect(1, 0, 0)}, {1, Rect(2, 0, 1)}, {2, Rect(1, 1, 1)}}));
    EXPECT_EQ(laid.layout.texts.back().text, "f");
    EXPECT_EQ(laid.layout.texts.back().style, TPaneText::Piece);
}

TEST(ScriptLayout, EmptyRunsAreNotDrawn)
{
    const TScriptList list = Pieces({{0, 0}, {0, 2}, {2, 0}});
    const TLaid laid = Lay("ab\n\ncd", &list);
    for (const TPaneText& t : laid.layout.texts)
        EXPECT_FALSE(t.text.empty());
    EXPECT_EQ(laid.layout.texts.size(), 2u); // the piece "ab" and the line "cd"
    // The empty piece at the line feed is not reached: only a piece before the line end is.
    EXPECT_EQ(laid.layout.pieces.size(), 2u);
    EXPECT_EQ(laid.layout.texts[1].y, 2 * L);
}

TEST(ScriptLayout, LaysOutEveryPieceOfAScriptOfManyLines)
{
    // Each line's piece runs on to the end of the script, and the script is multi-byte UTF-8:
    // the walk must still take linear time (a quadratic one would not finish here).
    constexpr int kLines = 100000;
    std::string text;
    std::vector<std::pair<int, int>> ranges;
    for (int i = 0; i < kLines; ++i) {
        ranges.emplace_back(static_cast<int>(text.size()) + 1, 1 << 30);
        text += "x\xC3\xA9yz\n";
    }
    const TScriptList list = Pieces(ranges);
    const TLaid laid = Lay(text, &list);
    ASSERT_EQ(laid.layout.pieces.size(), static_cast<size_t>(kLines));
    const TPaneRect& last = laid.layout.pieces.back().rect;
    EXPECT_EQ(last.top, (kLines - 1) * L);
    EXPECT_EQ(last.left, X0 + W);
    EXPECT_EQ(last.right - last.left, 4 * W); // "éyz" and the last line feed
    EXPECT_EQ(laid.extent.height, (kLines + 2) * L);
}

TEST(PaneHitTest, FirstContainingPieceLeftAndTopInclusive)
{
    const TScriptList list = Pieces({{0, 3}, {4, 2}});
    const TLaid laid = Lay("abc de", &list);
    const TPaneRect first = Rect(0, 0, 3), second = Rect(4, 0, 2);
    EXPECT_EQ(panes::HitPiece(laid.layout, first.left, first.top)->piece, &list[0]);
    EXPECT_EQ(panes::HitPiece(laid.layout, first.right - 1, first.bottom - 1)->piece, &list[0]);
    EXPECT_EQ(panes::HitPiece(laid.layout, second.left, second.top + 1)->piece, &list[1]);
    // The gap between them, the right edge and the bottom edge hit nothing.
    EXPECT_EQ(panes::HitPiece(laid.layout, first.right, first.top), nullptr);
    EXPECT_EQ(panes::HitPiece(laid.layout, first.right + W - 1, first.top), nullptr);
    EXPECT_EQ(panes::HitPiece(laid.layout, second.right, second.top), nullptr);
    EXPECT_EQ(panes::HitPiece(laid.layout, second.left, second.bottom), nullptr);
    EXPECT_EQ(panes::HitPiece(laid.layout, first.left - 1, first.top), nullptr);

    // Overlapping rectangles: the first in order wins.
    TPaneLayout overlap;
    TScriptPiece a, b;
    overlap.pieces = {{&a, {0, 0, 10, 10}}, {&b, {5, 5, 20, 20}}};
    EXPECT_EQ(panes::HitPiece(overlap, 7, 7)->piece, &a);
    EXPECT_EQ(panes::HitPiece(overlap, 12, 7)->piece, &b);
}

TEST(PaneHitTest, OnlyPiecesThePaneLaidOutCount)
{
    const TScriptList list = Pieces({{0, 5}, {3, 2}});
    const TLaid laid = Lay("abcdefgh", &list);
    EXPECT_TRUE(panes::LaidOut(laid.layout, &list[0]));
    EXPECT_FALSE(panes::LaidOut(laid.layout, &list[1]));
    EXPECT_FALSE(panes::LaidOut(laid.layout, nullptr));
}

TEST(PaneHitTest, FirstTextFromAgreesWithALinearScan)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        TPaneLayout layout;
        const int lineHeight = 1 + static_cast<int>(random() % 20);
        int y = static_cast<int>(random() % 50) - 25;
        const size_t count = random() % 30;
        for (size_t i = 0; i < count; ++i) {
            y += static_cast<int>(random() % 3) * static_cast<int>(random() % 15);
            layout.texts.push_back({0, y, "t", TPaneText::Plain, nullptr});
        }
        for (int from = -40; from < y + 60; ++from) {
            size_t expected = 0;
            while (expected < layout.texts.size() && layout.texts[expected].y + lineHeight <= from)
                ++expected;
            ASSERT_EQ(panes::FirstTextFrom(layout, from, lineHeight), expected)
                << "round " << round << " from " << from;
        }
    }
}

namespace {
// A random script built character by character, so that each character's line and column are
// known without measuring; and random pieces that keep to whole characters of one line, never
// overlapping, as the scanner makes them.
struct TRandomScript {
    std::string text;
    struct Char {
        size_t offset, bytes;
        int line, column;
    };
    std::vector<Char> chars;
    std::vector<int> lineLength;
    std::vector<std::pair<int, int>> pieces;           // offset, length in bytes
    std::vector<std::pair<size_t, size_t>> pieceChars; // first character, characters

    TRandomScript(std::mt19937& random, bool utf8)
    {
        static const std::vector<std::string> utf8Chars = {
            "a", "b", " ", "=", "\"", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\t"};
        const int lines = 1 + static_cast<int>(random() % 6);
        for (int line = 0; line < lines; ++line) {
            if (line > 0)
                text += '\n';
            const int length = static_cast<int>(random() % 25);
            std::vector<size_t> lineChars;
            for (int column = 0; column < length; ++column) {
                std::string c;
                if (utf8)
                    c = utf8Chars[random() % utf8Chars.size()];
                else // a byte of Windows-1252, never a line feed
                    do
                        c = std::string(1, static_cast<char>(random() % 256));
                    while (c[0] == '\n');
                lineChars.push_back(chars.size());
                chars.push_back({text.size(), c.size(), line, column});
                text += c;
            }
            lineLength.push_back(length);
            // Pieces on this line: random non-overlapping character ranges, some empty.
            size_t at = random() % 4;
            while (at < lineChars.size()) {
                const size_t n = random() % 5;
                if (at + n > lineChars.size())
                    break;
                size_t bytes = 0;
                for (size_t k = 0; k < n; ++k)
                    bytes += chars[lineChars[at] + k].bytes;
                pieces.emplace_back(static_cast<int>(chars[lineChars[at]].offset),
                                    static_cast<int>(bytes));
                pieceChars.emplace_back(lineChars[at], n);
                at += std::max<size_t>(n, 1) + random() % 4;
            }
        }
        if (!utf8) {
            text += '\n';
            for (const int column : {0, 1}) {
                chars.push_back({text.size(), 1, lines, column});
                text += "\xE9 "[column]; // never valid UTF-8, whatever the random bytes were
            }
            lineLength.push_back(2);
        }
    }
};
} // namespace

TEST(ScriptLayout, RandomScriptsMatchACharacterByCharacterReference)
{
    std::mt19937 random(2025);
    for (int round = 0; round < 2000; ++round) {
        const bool utf8 = round % 2 == 0;
        const TRandomScript script(random, utf8);
        const TScriptList list = Pieces(script.pieces);
        const int originX = static_cast<int>(random() % 40),
                  originY = static_cast<int>(random() % 40);
        const TLaid laid = Lay(script.text, &list, originX, originY);

        // Pieces are made in offset order, one per offset: the list keeps that order.
        ASSERT_EQ(laid.layout.pieces.size(), script.pieces.size()) << "round " << round;
        for (size_t i = 0; i < list.size(); ++i) {
            const TScriptPiece& piece = list[i];
            const auto& [first, count] = script.pieceChars[i];
            const int line = script.chars[first].line, column = script.chars[first].column;
            EXPECT_EQ(laid.layout.pieces[i].piece, &piece);
            EXPECT_EQ(laid.layout.pieces[i].rect,
                      Rect(column, line, static_cast<int>(count), originX, originY))
                << "round " << round << " piece " << i;
        }

        // Each text starts at its first character's column, a piece's text is that piece's,
        // and the texts of a line join to the line.
        std::vector<int> columnAt(script.text.size(), -1);
        for (const auto& c : script.chars)
            columnAt[c.offset] = c.column;
        std::vector<size_t> lineStart = {0};
        for (size_t i = 0; i < script.text.size(); ++i)
            if (script.text[i] == '\n')
                lineStart.push_back(i + 1);
        std::vector<std::string> joined(lineStart.size());
        for (const TPaneText& t : laid.layout.texts) {
            ASSERT_EQ((t.y - originY) % L, 0);
            const auto line = static_cast<size_t>((t.y - originY) / L);
            ASSERT_LT(line, joined.size());
            const size_t start = lineStart[line] + joined[line].size();
            ASSERT_LT(start, script.text.size());
            EXPECT_EQ(t.x, originX + columnAt[start] * W) << "round " << round;
            EXPECT_EQ(t.style == TPaneText::Piece ? t.piece->offset : -1,
                      t.style == TPaneText::Piece ? static_cast<int>(start) : -1);
            joined[line] += t.text;
        }
        for (size_t line = 0; line < joined.size(); ++line) {
            const size_t end =
                std::min(script.text.find('\n', lineStart[line]), script.text.size());
            EXPECT_EQ(joined[line], script.text.substr(lineStart[line], end - lineStart[line]))
                << "round " << round;
        }
        const int longest = *std::max_element(script.lineLength.begin(), script.lineLength.end());
        EXPECT_EQ(laid.extent.width, originX + longest * W);
        EXPECT_EQ(laid.extent.height, static_cast<int>(script.lineLength.size() + 1) * L);
    }
}

TEST(ScriptLayout, RandomPiecesOfAnyRangeAreLaidOutInListOrderAtMostOnce)
{
    std::mt19937 random(99);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t length = random() % 40;
        for (size_t i = 0; i < length; ++i)
            text += "ab\n\xC3\xA9\xE9"[random() % 6];
        std::vector<std::pair<int, int>> ranges;
        const size_t count = random() % 8;
        for (size_t i = 0; i < count; ++i)
            ranges.emplace_back(static_cast<int>(random() % 60) - 10,
                                static_cast<int>(random() % 60) - 10);
        const TScriptList list = Pieces(ranges);
        const TLaid laid = Lay(text, &list);
        const TScriptPiece* previous = nullptr;
        for (const TPieceRect& p : laid.layout.pieces) {
            ASSERT_TRUE(p.piece >= &list[0] && p.piece < &list[0] + list.size());
            EXPECT_TRUE(previous == nullptr || p.piece > previous);
            EXPECT_GE(p.piece->offset, 0);
            EXPECT_LT(p.piece->offset, static_cast<int>(text.size()));
            EXPECT_LE(p.rect.right - p.rect.left,
                      std::max(p.piece->length, 0) * W); // never wider than its bytes
            previous = p.piece;
        }
        for (const TPaneText& t : laid.layout.texts) {
            EXPECT_FALSE(t.text.empty());
            EXPECT_EQ(t.text.find('\n'), std::string::npos);
            EXPECT_NE(text.find(t.text), std::string::npos);
        }
    }
}
