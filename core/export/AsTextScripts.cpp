// The text writers of the elements that the script-hosting panes show: pictures and every other
// script element, lists, tables and reports.

#include "export/TTextContext.h"
#include "model/Kinds.h"
#include "model/TDefList.h"
#include "model/TDefPicture.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace {

// Calls write for each line of the script: a last line without a line feed is still a line, a
// line feed at the very end adds none, and an empty script has no lines.
template <class Write> void ForEachLine(std::string_view script, Write write)
{
    size_t start = 0;
    while (start < script.size()) {
        const size_t lf = script.find('\n', start);
        if (lf == std::string_view::npos) {
            write(script.substr(start));
            return;
        }
        write(script.substr(start, lf - start));
        start = lf + 1;
    }
}

bool IsTableOrReport(const TDefBase* element)
{
    return element && (element->kind == kinds::Table || element->kind == kinds::Report);
}

} // namespace

void TDefPicture::AsText(std::ostream& out, int level, TTextContext&)
{
    if (marked)
        return;
    marked = true;
    const std::string indent = TTextContext::Indent(level);
    if (level <= 0 || !IsTableOrReport(owner)) {
        if (kind != kinds::Filter)
            TTextContext::TitleLine(out, *this, level);
        ForEachLine(script, [&](std::string_view line) { out << indent << line << '\n'; });
        return;
    }
    // A column or area script: its table or report heads the first of its scripts only, which is
    // why the heading sets the owner's mark although the owner's own writer ignores it.
    if (!owner->marked) {
        owner->marked = true;
        out << owner->Title() << " Picture scripts:-\n\n";
    }
    out << indent << name << '\t';
    const std::string laterIndent = indent + '\t';
    bool first = true;
    ForEachLine(script, [&](std::string_view line) {
        if (!first)
            out << laterIndent;
        out << line << '\n';
        first = false;
    });
}

void TDefList::AsText(std::ostream& out, int level, TTextContext& context)
{
    if (marked)
        return;
    marked = true;
    TTextContext::TitleLine(out, *this, level);
    const std::string indent = TTextContext::Indent(level);
    switch (method) {
    case AncTree:
    case DescTree:
        out << indent << (method == AncTree ? "Ancestor Tree" : "Descendants Tree") << " for "
            << generations << " generations from \n";
        out << indent << "generation " << baseValue << ", person RIN " << pin << '\n';
        break;
    case LinesMethod:
        out << indent << "Line of Descent from generation " << baseValue << " for " << generations
            << " generations\n";
        break;
    case Index:
        out << indent << "Method: Index\n";
        break;
    case Fill:
        out << indent << "Method: Fill\n";
        break;
    default:
        break;
    }
    if (keyIndex >= 0) {
        out << '\n' << indent << "Sorted by:-\n";
        for (int k = 0; k <= keyIndex && k < kKeyCount; ++k)
            out << indent << keys[k].expression.value_or("") << " ("
                << (keys[k].ascending ? "ascending" : "descending") << ")\n";
    }
    if (filter) {
        out << '\n' << indent << "Filtered by:-\n";
        filter->AsText(out, level + 1, context);
    }
}

void TDefTable::AsText(std::ostream& out, int level, TTextContext& context)
{
    TTextContext::TitleLine(out, *this, level);
    const std::string indent = TTextContext::Indent(level);
    if (title1) {
        out << indent << *title1 << '\n';
        if (title2)
            out << indent << *title2 << '\n';
        out << '\n';
    }
    out << indent << "Columns:-\n";
    out << indent << "Title\tWidth\tPosition\n";
    for (int c = 0; c <= lastColumn && c < kMaxColumns; ++c) {
        const Column& column = columns[c];
        out << indent << column.title.value_or("") << '\t' << column.width << '\t'
            << column.justification.value_or("") << '\n';
        out << '\n';
        out << indent << "Picture Script:\n";
        if (column.picture)
            column.picture->AsText(out, -(level + 1), context);
        out << '\n';
    }
}

void TDefReport::AsText(std::ostream& out, int level, TTextContext&)
{
    TTextContext::TitleLine(out, *this, level);
    if (!HasBackground() || stride <= 0 || lineCount <= 0)
        return;
    // Areas fill the visible columns only: the terminator at the end of each line stays, so a
    // narrowed area never runs into the next line.
    std::string grid = background;
    const int64_t lastColumn = int64_t{stride} - 2;
    const int64_t lastLine = int64_t{lineCount} - 1;
    for (int a = 0; a <= lastArea && a < kMaxAreas; ++a) {
        const Area& area = areas[a];
        const int64_t left = std::max<int64_t>(area.column, 0);
        const int64_t right = std::min<int64_t>(int64_t{area.column} + area.width - 1, lastColumn);
        const int64_t top = std::max<int64_t>(area.row, 0);
        const int64_t bottom = std::min<int64_t>(int64_t{area.row} + area.height - 1, lastLine);
        for (int64_t l = top; l <= bottom && left <= right; ++l) {
            const auto start = static_cast<size_t>(l * stride + left);
            std::fill_n(grid.begin() + static_cast<std::ptrdiff_t>(start),
                        static_cast<size_t>(right - left + 1), area.letter);
        }
    }
    const std::string indent = TTextContext::Indent(level);
    for (int64_t l = 0; l <= lastLine; ++l) {
        std::string_view line(grid.data() + l * stride, static_cast<size_t>(stride));
        out << indent << line.substr(0, line.find('\0')) << '\n';
    }
}
