#include "views/ScriptLayout.h"

#include "model/TScriptList.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace {

int Saturate(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

// The columns of byte ranges of one script. Whether a multi-byte sequence is one column is
// decided once for the whole script, so that a run cut out of it counts as it does in place.
class TScriptColumns {
public:
    explicit TScriptColumns(std::string_view text)
    {
        const bool fits = text.size() <= static_cast<size_t>(std::numeric_limits<int32_t>::max());
        if (!fits || static_cast<size_t>(panes::Columns(text)) == text.size())
            return; // one byte, one column: no table needed
        before.resize(text.size() + 1);
        int32_t columns = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            before[i] = columns;
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                ++columns;
        }
        before[text.size()] = columns;
    }

    // Constant time, so that a piece that runs on past its line costs no more than any other.
    int64_t Between(size_t from, size_t to) const
    {
        if (before.empty())
            return static_cast<int64_t>(to - from);
        return int64_t{before[to]} - before[from];
    }

private:
    std::vector<int32_t> before; // columns before each byte; empty when every byte is a column
};

size_t LineEnd(std::string_view text, size_t from)
{
    const size_t end = text.find('\n', from);
    return end == std::string_view::npos ? text.size() : end;
}

struct TTextSize {
    int64_t longest = 0; // columns of the widest line
    int64_t lines = 1;
};

TTextSize MeasureText(std::string_view text, const TScriptColumns& columns)
{
    TTextSize size;
    for (size_t start = 0;; start = LineEnd(text, start) + 1) {
        const size_t end = LineEnd(text, start);
        size.longest = std::max(size.longest, columns.Between(start, end));
        if (end == text.size())
            break;
        ++size.lines;
    }
    return size;
}
} // namespace

namespace panes {

TExtent LayScript(TPaneLayout& layout, const std::string& text, const TScriptList* pieces,
                  int originX, int originY, int W, int L)
{
    const size_t n = text.size();
    const std::string_view all(text);
    const TScriptColumns columns(all);
    const auto lineEnd = [&](size_t from) { return LineEnd(all, from); };
    const TTextSize size = MeasureText(all, columns);

    const bool utf8 = panes::IsUtf8(all);
    const auto addText = [&](int64_t x, int64_t y, size_t from, size_t to, TPaneText::TStyle style,
                             const TScriptPiece* piece) {
        if (from < to)
            layout.texts.push_back({Saturate(x), Saturate(y),
                                    std::string(all.substr(from, to - from)), style, piece, utf8});
    };

    const size_t count = pieces ? pieces->size() : 0;
    size_t next = 0;
    size_t e = 0, b = lineEnd(0);
    int64_t x = originX, y = originY;
    while (e < n) {
        const TScriptPiece* p = next < count ? &(*pieces)[next] : nullptr;
        const int64_t offset = p ? p->offset : 0;
        const auto at = static_cast<int64_t>(e), lineStop = static_cast<int64_t>(b);
        if (p && at < offset && offset < lineStop) {
            const auto stop = static_cast<size_t>(offset);
            addText(x, y, e, stop, TPaneText::Plain, nullptr);
            x += int64_t{W} * columns.Between(e, stop);
            e = stop;
        } else if (p && at == offset && offset < lineStop) {
            // A piece may run past its line; the text drawn stops at the line feed, while the
            // rectangle and the advance take the whole piece.
            const size_t length = static_cast<size_t>(std::max<int64_t>(p->length, 0));
            const size_t end = e + std::min(length, n - e);
            const int64_t width = int64_t{W} * columns.Between(e, end);
            layout.pieces.push_back(
                {p, {Saturate(x), Saturate(y), Saturate(x + width), Saturate(y + L)}});
            addText(x, y, e, std::min(end, b), TPaneText::Piece, p);
            x += width;
            e = end;
            ++next;
        } else if (e < b) {
            addText(x, y, e, b, TPaneText::Plain, nullptr);
            x += int64_t{W} * columns.Between(e, b);
            e = b;
        }
        if (e >= b && b < n) {
            e = b + 1;
            b = lineEnd(e);
            x = originX;
            y += L;
        }
    }

    return {Saturate(originX + int64_t{W} * size.longest), Saturate((size.lines + 1) * int64_t{L})};
}

std::optional<TPaneRect> LineRunRect(const std::string& text, size_t line, size_t offset,
                                     size_t length, int originX, int originY, int W, int L)
{
    if (line == 0)
        return std::nullopt;
    const std::string_view all(text);
    size_t start = 0;
    for (size_t l = 1; l < line; ++l) {
        const size_t lineFeed = all.find('\n', start);
        if (lineFeed == std::string_view::npos)
            return std::nullopt;
        start = lineFeed + 1;
    }
    const size_t end = std::min(all.find('\n', start), all.size());
    const size_t from = start + std::min(offset, end - start);
    const size_t to = from + std::min(length, end - from);
    const TScriptColumns columns(all);
    const int64_t x = originX + int64_t{W} * columns.Between(start, from);
    const int64_t y = originY + int64_t{L} * static_cast<int64_t>(line - 1);
    return TPaneRect{Saturate(x), Saturate(y), Saturate(x + int64_t{W} * columns.Between(from, to)),
                     Saturate(y + L)};
}

} // namespace panes
