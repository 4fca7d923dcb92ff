#include "views/HostLayouts.h"

#include "export/TOwnerIndex.h"

#include "model/TDefList.h"
#include "model/TDefOption.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"
#include "views/FormLayouts.h"
#include "views/ScriptLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace {

int Saturate(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

void AddText(TPaneLayout& layout, int64_t x, int64_t y, std::string text,
             TPaneText::TStyle style = TPaneText::Plain)
{
    if (!text.empty())
        layout.texts.push_back({Saturate(x), Saturate(y), std::move(text), style, nullptr});
}

// Scripts and areas are laid out after the texts beside them; painting needs them by y.
void SortByY(TPaneLayout& layout)
{
    std::stable_sort(layout.texts.begin(), layout.texts.end(),
                     [](const TPaneText& a, const TPaneText& b) { return a.y < b.y; });
}

panes::TExtent LayPictureScript(TPaneLayout& layout, const TDefPicture& picture, int64_t x,
                                int64_t y, int W, int L)
{
    layout.scripts.push_back({&picture, Saturate(x), Saturate(y)});
    return panes::LayScript(layout, picture.script, picture.pieces.get(), Saturate(x), Saturate(y),
                            W, L);
}

// The columns a table pane lays out.
size_t ShownColumns(const TDefTable& table)
{
    return std::min(static_cast<size_t>(std::max(table.lastColumn + 1, 0)),
                    std::min<size_t>(table.columns.size(), TDefTable::kMaxColumns));
}

} // namespace

namespace panes {

TPaneLayout LayPicture(const TDefBase& picture, int W, int L)
{
    TPaneLayout layout;
    const auto* script = dynamic_cast<const TDefPicture*>(&picture);
    const TExtent extent = script ? LayPictureScript(layout, *script, W, 0, W, L)
                                  : LayScript(layout, std::string(), nullptr, W, 0, W, L);
    layout.width = extent.width;
    layout.height = extent.height;
    return layout;
}

namespace {
// The list's method, on the first line (and the second for the trees).
void AddMethodLines(TPaneLayout& layout, const TDefList& list, int64_t X0, int L)
{
    switch (list.method) {
    case TDefList::Index:
        AddText(layout, X0, 0, "Method: Index");
        break;
    case TDefList::Fill:
        AddText(layout, X0, 0, "Method: Fill");
        break;
    case TDefList::AncTree:
    case TDefList::DescTree:
        AddText(layout, X0, 0,
                std::string(list.method == TDefList::AncTree ? "Ancestor Tree" : "Descendants Tree")
                    .append(" for ")
                    .append(std::to_string(list.generations))
                    .append(" generations from "));
        AddText(layout, X0, L,
                std::string("generation ")
                    .append(std::to_string(list.baseValue))
                    .append(", person RIN ")
                    .append(std::to_string(list.pin)));
        break;
    case TDefList::LinesMethod:
        AddText(layout, X0, 0,
                std::string("Line of Descent from generation ")
                    .append(std::to_string(list.baseValue))
                    .append(" for ")
                    .append(std::to_string(list.generations))
                    .append(" generations"));
        break;
    default:
        break; // an empty first line
    }
}
} // namespace

TPaneLayout LayList(const TDefList& list, int W, int L)
{
    TPaneLayout layout;
    const int64_t X0 = W, half = L / 2;
    const bool tree = list.method == TDefList::AncTree || list.method == TDefList::DescTree;
    AddMethodLines(layout, list, X0, L);

    const int keyCount = std::clamp(list.keyIndex + 1, 0, TDefList::kKeyCount);
    int64_t y = (tree ? L : 0) + int64_t{L};
    if (keyCount > 0) {
        y += half;
        AddText(layout, X0, y, "Sorted by:-");
        y += L;
        for (int k = 0; k < keyCount; ++k) {
            const TDefList::Key& key = list.keys[k];
            AddText(layout, X0 + 2 * int64_t{W}, y,
                    key.expression.value_or("") + " (" +
                        (key.ascending ? "ascending" : "descending") + ")");
            y += L;
        }
    }
    if (list.filter)
        AddText(layout, X0, y + half, "Filtered by:-");

    int64_t h = L + (tree ? int64_t{L} : 0);
    const bool byType = list.method == TDefList::Index || list.method == TDefList::Fill;
    int64_t width = int64_t{W} * (tree ? 42 : byType ? 25 : 53);
    if (keyCount > 0)
        h += (keyCount + 1) * int64_t{L} + half;
    if (list.filter) {
        h += L + half;
        const TExtent script = LayPictureScript(layout, *list.filter, X0 + 2 * int64_t{W}, h, W, L);
        width = std::max<int64_t>(width, script.width);
        h += script.height;
    }
    layout.width = Saturate(width);
    layout.height = Saturate(h);
    SortByY(layout);
    return layout;
}

TPaneLayout LayTable(const TDefTable& table, int W, int L)
{
    TPaneLayout layout;
    const int64_t X0 = W, w = W, half = L / 2;

    int64_t y = 0;
    if (table.title1) {
        AddText(layout, X0, 0, *table.title1);
        y = L;
        if (table.title2) {
            AddText(layout, X0, L, *table.title2);
            y = 2 * int64_t{L};
        }
        y += half;
    }
    AddText(layout, X0, y, "Columns:-");
    y += L;
    AddText(layout, X0 + 2 * w, y, "Title");
    AddText(layout, X0 + 32 * w, y, "Width");
    AddText(layout, X0 + 38 * w, y, "Position");
    y += L;

    const int64_t titles = table.title1 ? (table.title2 ? 2 : 1) : 0;
    int64_t h = L + titles * L + L + half;
    int64_t width = X0 + 50 * w;
    const size_t count = ShownColumns(table);
    for (size_t c = 0; c < count; ++c) {
        const TDefTable::Column& column = table.columns[c];
        y += half;
        AddText(layout, X0 + 2 * w, y, column.title.value_or(""));
        AddText(layout, X0 + 32 * w, y, std::to_string(column.width));
        AddText(layout, X0 + 38 * w, y, column.justification.value_or(""));
        AddText(layout, X0 + 2 * w, y + L, "Picture Script:");
        // A column without a script still takes its rows, so that the scripts of the columns
        // after it stay below their own rows.
        h += 2 * int64_t{L} + half;
        int64_t scriptHeight = 0;
        if (column.picture) {
            const TExtent script = LayPictureScript(layout, *column.picture, X0 + 4 * w, h, W, L);
            scriptHeight = script.height;
            width = std::max(width, X0 + 4 * w + script.width);
        }
        h += scriptHeight;
        y += 2 * int64_t{L} + scriptHeight;
    }
    layout.width = Saturate(width);
    layout.height = Saturate(h);
    SortByY(layout);
    return layout;
}

TPaneLayout LayReport(const TDefReport& report, int W, int L)
{
    TPaneLayout layout;
    const int64_t X0 = W, w = W, stride = report.stride, lines = report.lineCount;
    layout.width = Saturate(std::max<int64_t>(stride * w, 0));
    layout.height = Saturate(std::max<int64_t>(lines * L, 0));

    if (report.HasBackground() && stride > 0) {
        for (int64_t l = 0; l < lines && (l + 1) * stride <= int64_t(report.background.size());
             ++l) {
            std::string_view line = report.BackgroundLine(static_cast<int>(l));
            line = line.substr(0, static_cast<size_t>(stride - 1));
            line = line.substr(0, line.find('\0'));
            AddText(layout, X0, l * L, std::string(line));
        }
    }

    // A hostile file can make an area far larger than any page; fill runs are cut to the cells
    // that can be scrolled to (x >= 0, inside the page), and all of them together to the size a
    // background may have.
    int64_t budget = TDefReport::kMaxCells;
    const size_t count =
        std::min(static_cast<size_t>(std::max(report.lastArea + 1, 0)), report.areas.size());
    for (size_t i = 0; i < count; ++i) {
        const TDefReport::Area& area = report.areas[i];
        const int64_t left = X0 + area.column * w, top = int64_t{area.row} * L;
        layout.areas.push_back(
            {{Saturate(left), Saturate(top), Saturate(left + int64_t{area.width} * w),
              Saturate(top + int64_t{area.height} * L)},
             area.picture});

        const int64_t first = std::max<int64_t>(area.column, -1);
        const int64_t run = std::min(int64_t{area.column} + area.width, stride) - first;
        const int64_t fromRow = std::max<int64_t>(area.row, 0);
        const int64_t toRow = std::min(int64_t{area.row} + area.height, lines);
        for (int64_t row = fromRow; run > 0 && row < toRow && run <= budget; ++row) {
            AddText(layout, X0 + first * w, row * L,
                    std::string(static_cast<size_t>(run), area.letter), TPaneText::Highlight);
            budget -= run;
        }
    }
    SortByY(layout);
    return layout;
}

namespace {
// The panes that show no parts of the element.
TPaneLayout LayOwnPane(const TDefBase& element, TPaneKind pane, int W, int L)
{
    switch (pane) {
    case TPaneKind::Picture:
        return LayPicture(element, W, L);
    case TPaneKind::List:
        if (const auto* list = dynamic_cast<const TDefList*>(&element))
            return LayList(*list, W, L);
        break;
    case TPaneKind::Options:
        if (const auto* options = dynamic_cast<const TDefOption*>(&element))
            return LayOptions(*options, W, L);
        break;
    case TPaneKind::PrintSettings:
        if (const auto* settings = dynamic_cast<const TDefPrintSetting*>(&element))
            return LayPrintSettings(*settings, W, L);
        break;
    case TPaneKind::Table:
        if (const auto* table = dynamic_cast<const TDefTable*>(&element))
            return LayTable(*table, W, L);
        break;
    case TPaneKind::Report:
        if (const auto* report = dynamic_cast<const TDefReport*>(&element))
            return LayReport(*report, W, L);
        break;
    case TPaneKind::Choice:
    case TPaneKind::Fields:
        break;
    }
    return {};
}
} // namespace

TPaneLayout LayPane(const TDefBase& element, TPaneKind pane, const TDefinedArray& defs, int W,
                    int L)
{
    switch (pane) {
    case TPaneKind::Choice:
        return LayChoice(element, defs, W, L);
    case TPaneKind::Fields:
        return LayFields(element, defs, W, L);
    default:
        return LayOwnPane(element, pane, W, L);
    }
}

TPaneLayout LayPane(const TDefBase& element, TPaneKind pane, const TOwnerIndex& owned, int W, int L)
{
    switch (pane) {
    case TPaneKind::Choice:
        return LayChoice(element, owned, W, L);
    case TPaneKind::Fields:
        return LayFields(element, owned, W, L);
    default:
        return LayOwnPane(element, pane, W, L);
    }
}

const TDefBase& ScriptHost(const TDefPicture& script)
{
    if (!script.owner)
        return script;
    if (const auto* list = dynamic_cast<const TDefList*>(script.owner);
        list && list->filter == &script)
        return *script.owner;
    if (const auto* table = dynamic_cast<const TDefTable*>(script.owner)) {
        for (size_t c = 0; c < ShownColumns(*table); ++c)
            if (table->columns[c].picture == &script)
                return *script.owner;
    }
    return script;
}

std::optional<TPaneRect> ScriptTextRect(const TPaneLayout& layout, const TDefPicture& script,
                                        size_t line, size_t offset, size_t length, int W, int L)
{
    for (const TScriptOrigin& origin : layout.scripts)
        if (origin.element == &script)
            return LineRunRect(script.script, line, offset, length, origin.x, origin.y, W, L);
    return std::nullopt;
}

} // namespace panes
