#include "publish/PaneHtml.h"

#include "diagram/Svg.h"
#include "model/TScriptPiece.h"
#include "script/TDispColour.h"
#include "views/TPaneLayout.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace publish {

namespace {

// A run wider than this is a layout no page needs to show whole: the gap before it is cut.
constexpr int kColumnLimit = 1 << 16;

int Width(const TPaneText& text)
{
    return text.utf8 ? panes::Columns(text.text) : static_cast<int>(text.text.size());
}

// What one column of a line shows and where it links.
struct TCell {
    std::string text; // as HTML
    TPaneText::TStyle style = TPaneText::Plain;
    const TScriptPiece* piece = nullptr;
    const TDefBase* area = nullptr; // the picture of the report area the column lies in
    bool inArea = false;

    bool SameRun(const TCell& other) const
    {
        return style == other.style && piece == other.piece && inArea == other.inArea &&
               area == other.area;
    }
};

// Appends an escaped run in its style; linkable: whether the run may be a link of its own.
void AppendRun(std::string& out, std::string_view html, TPaneText::TStyle style,
               const TScriptPiece* piece, bool linkable, const TPageOf& pageOf)
{
    const char* cls = nullptr;
    std::string_view href;
    bool underlined = false;
    switch (style) {
    case TPaneText::Piece:
        if (!piece)
            break;
        cls = SlotClass(TDispColour::PieceSlot(*piece));
        underlined = (piece->flags & TScriptPiece::kUnderlined) != 0;
        if (underlined && linkable && piece->target)
            href = pageOf(*piece->target);
        break;
    case TPaneText::Highlight:
        cls = "highlight";
        break;
    case TPaneText::Symbol:
        cls = "symbol";
        break;
    case TPaneText::Plain:
    default:
        break;
    }
    if (!cls) {
        out += html;
        return;
    }
    const char* tag = href.empty() ? "span" : "a";
    out += '<';
    out += tag;
    out += " class=\"";
    out += cls;
    if (underlined && href.empty())
        out += " u";
    out += '"';
    if (!href.empty()) {
        out += " href=\"";
        out += href;
        out += '"';
    }
    out += '>';
    out += html;
    out += "</";
    out += tag;
    out += '>';
}

void Pad(std::string& out, int& column, int x)
{
    if (x > column)
        out.append(static_cast<size_t>(std::min(x - column, kColumnLimit)), ' ');
    column = std::max(column, x);
}

// The texts of a line that neither overlap nor go back: drawn one after the other.
void AppendPlainLine(std::string& out, const TPaneText* first, const TPaneText* last,
                     const TPageOf& pageOf)
{
    int column = 0;
    for (const TPaneText* t = first; t != last; ++t) {
        Pad(out, column, t->x - 1);
        AppendRun(out, diagram::XmlText(t->text, t->utf8), t->style, t->piece, true, pageOf);
        column += Width(*t);
    }
}

// A line with texts drawn over others, or with report areas: laid out column by column first.
void AppendCellLine(std::string& out, const TPaneText* first, const TPaneText* last, int y,
                    const std::vector<TAreaRect>& areas, const TPageOf& pageOf)
{
    std::vector<TCell> cells;
    const auto cellAt = [&](int column) -> TCell& {
        if (static_cast<size_t>(column) >= cells.size())
            cells.resize(static_cast<size_t>(column) + 1, TCell{" "});
        return cells[static_cast<size_t>(column)];
    };
    for (const TPaneText* t = first; t != last; ++t) {
        int column = std::clamp(t->x - 1, 0, kColumnLimit);
        const bool utf8 = t->utf8 && panes::IsUtf8(t->text);
        const std::string_view text = t->text;
        for (size_t i = 0; i < text.size() && column < kColumnLimit; ++column) {
            size_t next = i + 1;
            if (utf8)
                while (next < text.size() &&
                       (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
                    ++next;
            TCell& cell = cellAt(column);
            cell.text = diagram::XmlText(text.substr(i, next - i), utf8);
            cell.style = t->style;
            cell.piece = t->piece;
            i = next;
        }
    }
    for (const TAreaRect& a : areas) {
        if (y < a.rect.top || y >= a.rect.bottom)
            continue;
        const int from = std::clamp(a.rect.left - 1, 0, kColumnLimit);
        const int to = std::clamp(a.rect.right - 1, 0, kColumnLimit);
        for (int column = from; column < to; ++column) {
            TCell& cell = cellAt(column);
            if (!cell.inArea) {
                cell.inArea = true;
                cell.area = a.picture;
            }
        }
    }
    for (size_t i = 0; i < cells.size();) {
        size_t end = i + 1;
        while (end < cells.size() && cells[end].SameRun(cells[i]))
            ++end;
        std::string html;
        for (size_t c = i; c < end; ++c)
            html += cells[c].text;
        const TCell& cell = cells[i];
        const std::string_view href = cell.area ? pageOf(*cell.area) : std::string_view();
        if (cell.inArea && href.empty())
            out += "<span class=\"area\">";
        else if (cell.inArea) {
            out += "<a class=\"area\" href=\"";
            out += href;
            out += "\">";
        }
        AppendRun(out, html, cell.style, cell.piece, !cell.inArea, pageOf);
        if (cell.inArea)
            out += href.empty() ? "</span>" : "</a>";
        i = end;
    }
}

} // namespace

const char* SlotClass(int slot)
{
    static const std::array<const char*, TDispColour::kRows> classes = [] {
        // By the rows' keys, so that a class never depends on the order of the slots.
        constexpr std::pair<std::string_view, const char*> kByKey[] = {
            {"Literals", "literal"},    {"Fields", "field"},    {"Pictures", "picture"},
            {"Variables", "variable"},  {"Records", "record"},  {"Types", "type"},
            {"Highlight", "highlight"}, {"Default", "keyword"},
        };
        std::array<const char*, TDispColour::kRows> bySlot{};
        for (const TDispColour::TRow& row : TDispColour::Rows())
            for (const auto& [key, cls] : kByKey)
                if (key == row.key)
                    bySlot[static_cast<size_t>(row.slot)] = cls;
        return bySlot;
    }();
    const char* cls =
        slot >= 0 && slot < TDispColour::kRows ? classes[static_cast<size_t>(slot)] : nullptr;
    return cls ? cls : "keyword";
}

void AppendPane(std::string& out, const TPaneLayout& layout, const TPageOf& pageOf)
{
    const std::vector<TPaneText>& texts = layout.texts;
    int top = texts.empty() ? 0 : texts.front().y;
    int bottom = texts.empty() ? 0 : texts.back().y + 1;
    for (const TAreaRect& a : layout.areas) {
        top = std::min(top, a.rect.top);
        bottom = std::max(bottom, a.rect.bottom);
    }
    top = std::max(top, 0);
    size_t at = 0;
    while (at < texts.size() && texts[at].y < top)
        ++at;
    for (int y = top; y < bottom; ++y) {
        const size_t first = at;
        bool plain = layout.areas.empty();
        int reach = 0;
        for (; at < texts.size() && texts[at].y == y; ++at) {
            plain = plain && texts[at].x - 1 >= reach;
            reach = std::max(reach, texts[at].x - 1 + Width(texts[at]));
        }
        if (y > top)
            out += '\n';
        if (plain)
            AppendPlainLine(out, texts.data() + first, texts.data() + at, pageOf);
        else
            AppendCellLine(out, texts.data() + first, texts.data() + at, y, layout.areas, pageOf);
    }
}

} // namespace publish
