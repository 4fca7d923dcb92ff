#include "views/PaneText.h"

#include "model/Windows1252.h"

#include <algorithm>

namespace panes {

namespace {

// The code points of valid UTF-8 (IsUtf8 says so).
std::u32string FromUtf8(std::string_view text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const size_t extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (size_t k = 1; k <= extra && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

std::u32string Decoded(const TPaneText& text)
{
    if (text.utf8 && IsUtf8(text.text))
        return FromUtf8(text.text);
    std::u32string out;
    for (char b : text.text)
        out.push_back(windows1252::CodePoint(static_cast<unsigned char>(b)));
    return out;
}

} // namespace

int TPaneLines::LineAt(int y) const
{
    const auto after = std::upper_bound(tops.begin(), tops.end(), y);
    return after == tops.begin() ? 0 : static_cast<int>(after - tops.begin()) - 1;
}

TPaneLines GridLines(const TPaneLayout& layout, int charWidth, int lineHeight)
{
    const int w = std::max(1, charWidth), l = std::max(1, lineHeight);
    TPaneLines out;
    for (const TPaneText& text : layout.texts) {
        if (text.x < 0 || text.y < 0)
            continue;
        if (out.tops.empty() || text.y >= out.tops.back() + l) {
            int top = out.tops.empty() ? 0 : out.tops.back() + l;
            for (; top + l <= text.y; top += l) {
                out.tops.push_back(top);
                out.lines.emplace_back();
            }
            out.tops.push_back(text.y);
            out.lines.emplace_back();
        }
        std::u32string& cells = out.lines.back();
        const auto column = static_cast<size_t>(text.x / w);
        const std::u32string characters = Decoded(text);
        if (cells.size() < column + characters.size())
            cells.resize(column + characters.size(), U' ');
        for (size_t i = 0; i < characters.size(); ++i)
            cells[column + i] = characters[i] < 0x20 ? U' ' : characters[i];
    }
    for (std::u32string& cells : out.lines)
        cells.erase(cells.find_last_not_of(U' ') + 1);
    return out;
}

TGridSpan SpanOf(const TPaneLines& lines, const TPaneRect& rect, int charWidth)
{
    const int w = std::max(1, charWidth);
    return {lines.LineAt(rect.top), rect.left / w,
            lines.LineAt(std::max(rect.top, rect.bottom - 1)), (rect.right + w - 1) / w};
}

} // namespace panes
