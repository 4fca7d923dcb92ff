#include "views/TPaneLayout.h"

#include <algorithm>
#include <cstdint>

namespace {
bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The number of UTF-8 sequences in text, or -1 when it is not valid UTF-8. Overlong forms,
// surrogates and code points past U+10FFFF are invalid, as the GUI's decoder treats them.
int64_t Utf8Sequences(std::string_view text)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    int64_t count = 0;
    size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        size_t extra = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (b < 0x80) {
            extra = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return -1;
        }
        if (extra > n - i - 1)
            return -1;
        if (extra > 0 && (s[i + 1] < low || s[i + 1] > high))
            return -1;
        for (size_t k = 2; k <= extra; ++k)
            if (!IsContinuation(s[i + k]))
                return -1;
        i += extra + 1;
        ++count;
    }
    return count;
}
} // namespace

namespace panes {

bool IsUtf8(std::string_view text)
{
    return Utf8Sequences(text) >= 0;
}

int Columns(std::string_view text)
{
    const int64_t sequences = Utf8Sequences(text);
    const int64_t columns = sequences >= 0 ? sequences : static_cast<int64_t>(text.size());
    return static_cast<int>(std::min<int64_t>(columns, INT32_MAX));
}

const TPieceRect* HitPiece(const TPaneLayout& layout, int x, int y)
{
    for (const TPieceRect& p : layout.pieces)
        if (p.rect.Contains(x, y))
            return &p;
    return nullptr;
}

const TAreaRect* HitArea(const TPaneLayout& layout, int x, int y)
{
    for (const TAreaRect& a : layout.areas)
        if (a.rect.Contains(x, y))
            return &a;
    return nullptr;
}

bool LaidOut(const TPaneLayout& layout, const TScriptPiece* piece)
{
    return piece && std::any_of(layout.pieces.begin(), layout.pieces.end(),
                                [piece](const TPieceRect& p) { return p.piece == piece; });
}

size_t FirstTextFrom(const TPaneLayout& layout, int y, int lineHeight)
{
    const auto first =
        std::partition_point(layout.texts.begin(), layout.texts.end(),
                             [&](const TPaneText& t) { return int64_t{t.y} + lineHeight <= y; });
    return static_cast<size_t>(first - layout.texts.begin());
}

} // namespace panes
