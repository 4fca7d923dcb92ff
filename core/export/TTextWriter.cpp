#include "export/TTextWriter.h"

#include "model/Kinds.h"
#include "model/TDefField.h"
#include "model/TDefList.h"
#include "model/TDefOption.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefReport.h"
#include "model/TDefTable.h"
#include "model/TDefinedArray.h"
#include "model/TDisplayHost.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

namespace {

// As many tabs as the level's magnitude.
std::string Indent(int level)
{
    const int64_t depth = level < 0 ? -int64_t{level} : int64_t{level};
    return std::string(static_cast<size_t>(depth), '\t');
}

// Above level 0 the element's title on a line of its own, without indent.
void TitleLine(std::ostream& out, const TDefBase& element, int level)
{
    if (level > 0)
        out << element.Title() << '\n';
}

const char* YesNo(bool value)
{
    return value ? "Yes" : "No";
}

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

// The element as the class its kind is made with; null when it is another class (an element
// made by hand with that kind), which then has no writer.
template <class T> const T* As(const TDefBase& element)
{
    return dynamic_cast<const T*>(&element);
}

void WriteOptions(std::ostream& out, const TDefOption& options, int level)
{
    TitleLine(out, options, level);
    const std::string indent = Indent(level);
    out << indent << "Dates\n";
    out << indent << "\tFormat\t";
    out << TDefOption::DateFormatText(options.dateFormat) << '\n';
    out << indent << "\tPrefixes\n";
    out << indent << "\t\tBefore\t" << options.prefixBefore << '\n';
    out << indent << "\t\tAbout\t" << options.prefixAbout << '\n';
    out << indent << "\t\tAfter\t" << options.prefixAfter << '\n';
    out << '\n';
    out << indent << "Printer Name\t" << options.printerName << '\n';
    out << indent << "Truncation Marker\t" << TDefOption::MarkerText(options.truncMarker);
    out << '\n';
    out << indent << "Show RINs\t" << YesNo(options.showRins) << '\n';
    out << indent << "Show Lines\t" << YesNo(options.showLines) << '\n';
}

void WritePrintSettings(std::ostream& out, const TDefPrintSetting& settings, int level)
{
    TitleLine(out, settings, level);
    const std::string indent = Indent(level);
    const std::pair<const char*, uint32_t> values[] = {
        {"Sequence 1", settings.sequence1},     {"Sequence 2", settings.sequence2},
        {"Sequence 3", settings.sequence3},     {"Page Width", settings.pageWidth},
        {"Page Height", settings.pageHeight},   {"Left Margin", settings.leftMargin},
        {"Right Margin", settings.rightMargin}, {"Top Space", settings.topSpace},
        {"Bottom Space", settings.bottomSpace}};
    for (const auto& [label, value] : values)
        out << indent << label << '\t' << value << '\n';
    out << indent << "Page pause\t" << YesNo(settings.pagePause) << '\n';
}

void WriteReport(std::ostream& out, const TDefReport& report, int level)
{
    TitleLine(out, report, level);
    const int32_t stride = report.stride;
    if (!report.HasBackground() || stride <= 0 || report.lineCount <= 0)
        return;
    // Areas fill the visible columns only: the terminator at the end of each line stays, so a
    // narrowed area never runs into the next line.
    std::string grid = report.background;
    const int64_t lastColumn = int64_t{stride} - 2;
    const int64_t lastLine = int64_t{report.lineCount} - 1;
    for (int a = 0; a <= report.lastArea && a < TDefReport::kMaxAreas; ++a) {
        const TDefReport::Area& area = report.areas[a];
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
    const std::string indent = Indent(level);
    for (int64_t l = 0; l <= lastLine; ++l) {
        std::string_view line(grid.data() + l * stride, static_cast<size_t>(stride));
        out << indent << line.substr(0, line.find('\0')) << '\n';
    }
}

} // namespace

TTextWriter::TTextWriter(const TDefinedArray& defs, TDisplayHost& host) : defs(defs), host(host) {}

TTextWriter::~TTextWriter() = default;

// Tables and reports are written without recording it, as are the kinds without a writer.
void TTextWriter::Write(std::ostream& out, const TDefBase& element, int level)
{
    switch (element.kind) {
    case kinds::Group:
    case kinds::Record:
        if (MarkWritten(element))
            WriteFields(out, element, level);
        return;
    case kinds::Choice:
        if (MarkWritten(element))
            WriteWords(out, element, level);
        return;
    case kinds::EditPanel:
    case kinds::Filter:
    case kinds::Picture:
    case kinds::PlanPicture:
        if (const auto* picture = As<TDefPicture>(element)) {
            if (MarkWritten(element))
                WritePicture(out, *picture, level);
            return;
        }
        break;
    case kinds::List:
        if (const auto* list = As<TDefList>(element)) {
            if (MarkWritten(element))
                WriteList(out, *list, level);
            return;
        }
        break;
    case kinds::Options:
        if (const auto* options = As<TDefOption>(element)) {
            if (MarkWritten(element))
                WriteOptions(out, *options, level);
            return;
        }
        break;
    case kinds::PrintSettings:
        if (const auto* settings = As<TDefPrintSetting>(element)) {
            if (MarkWritten(element))
                WritePrintSettings(out, *settings, level);
            return;
        }
        break;
    case kinds::Table:
        if (const auto* table = As<TDefTable>(element)) {
            WriteTable(out, *table, level);
            return;
        }
        break;
    case kinds::Report:
        if (const auto* report = As<TDefReport>(element)) {
            WriteReport(out, *report, level);
            return;
        }
        break;
    default:
        break;
    }
    ReportNoWriter(out, element, level);
}

bool TTextWriter::Written(const TDefBase& element) const
{
    if (!defs.Holds(&element))
        return writtenOutside.contains(&element);
    const auto at = static_cast<size_t>(element.index);
    return at < written.size() && written[at];
}

bool TTextWriter::MarkWritten(const TDefBase& element)
{
    if (!defs.Holds(&element))
        return writtenOutside.insert(&element).second;
    const auto at = static_cast<size_t>(element.index);
    if (written.size() < defs.Count())
        written.resize(defs.Count());
    if (written[at])
        return false;
    written[at] = true;
    marked.push_back(at);
    return true;
}

void TTextWriter::Forget()
{
    for (const size_t at : marked)
        written[at] = false;
    marked.clear();
    writtenOutside.clear();
}

bool TTextWriter::HasWriter(int kind)
{
    switch (kind) {
    case kinds::Group:
    case kinds::Record:
    case kinds::Choice:
    case kinds::EditPanel:
    case kinds::Filter:
    case kinds::Picture:
    case kinds::PlanPicture:
    case kinds::List:
    case kinds::Options:
    case kinds::PrintSettings:
    case kinds::Table:
    case kinds::Report:
        return true;
    default:
        return false;
    }
}

std::span<TDefBase* const> TTextWriter::Owned(const TDefBase& owner)
{
    if (!owned)
        owned = std::make_unique<TOwnerIndex>(defs);
    return owned->Owned(owner);
}

// All the fields the element owns, not only those right after it: a field declared after a
// picture belongs to the list as much as the others.
void TTextWriter::WriteFields(std::ostream& out, const TDefBase& element, int level)
{
    TitleLine(out, element, level);
    const std::string indent = Indent(level);
    if (level > 0)
        out << indent << "Field\tType\tTag\n";
    for (const TDefBase* part : Owned(element)) {
        const auto* field = part->kind == kinds::Field ? As<TDefField>(*part) : nullptr;
        if (field)
            out << indent << field->name << '\t' << field->fieldType << '\t' << field->GedcomTag()
                << '\n';
    }
}

void TTextWriter::WriteWords(std::ostream& out, const TDefBase& choice, int level)
{
    TitleLine(out, choice, level);
    out << Indent(level);
    std::string_view separator;
    for (const TDefBase* part : Owned(choice)) {
        if (part->kind != kinds::Word)
            continue;
        out << separator << part->name;
        separator = ", ";
    }
    out << '\n';
}

void TTextWriter::WritePicture(std::ostream& out, const TDefPicture& picture, int level)
{
    const std::string indent = Indent(level);
    const TDefBase* owner = picture.owner;
    if (level <= 0 || !IsTableOrReport(owner)) {
        if (picture.kind != kinds::Filter)
            TitleLine(out, picture, level);
        ForEachLine(picture.script, [&](std::string_view line) { out << indent << line << '\n'; });
        return;
    }
    // A column or area script: its table or report heads the first of its scripts only, which is
    // why the heading records the owner as written although the owner's own writer ignores that.
    if (MarkWritten(*owner))
        out << owner->Title() << " Picture scripts:-\n\n";
    out << indent << picture.name << '\t';
    const std::string laterIndent = indent + '\t';
    bool first = true;
    ForEachLine(picture.script, [&](std::string_view line) {
        if (!first)
            out << laterIndent;
        out << line << '\n';
        first = false;
    });
}

void TTextWriter::WriteList(std::ostream& out, const TDefList& list, int level)
{
    TitleLine(out, list, level);
    const std::string indent = Indent(level);
    switch (list.method) {
    case TDefList::AncTree:
    case TDefList::DescTree:
        out << indent << (list.method == TDefList::AncTree ? "Ancestor Tree" : "Descendants Tree")
            << " for " << list.generations << " generations from \n";
        out << indent << "generation " << list.baseValue << ", person RIN " << list.pin << '\n';
        break;
    case TDefList::LinesMethod:
        out << indent << "Line of Descent from generation " << list.baseValue << " for "
            << list.generations << " generations\n";
        break;
    case TDefList::Index:
        out << indent << "Method: Index\n";
        break;
    case TDefList::Fill:
        out << indent << "Method: Fill\n";
        break;
    default:
        break;
    }
    if (list.keyIndex >= 0) {
        out << '\n' << indent << "Sorted by:-\n";
        for (int k = 0; k <= list.keyIndex && k < TDefList::kKeyCount; ++k)
            out << indent << list.keys[k].expression.value_or("") << " ("
                << (list.keys[k].ascending ? "ascending" : "descending") << ")\n";
    }
    if (list.filter) {
        out << '\n' << indent << "Filtered by:-\n";
        Write(out, *list.filter, level + 1);
    }
}

void TTextWriter::WriteTable(std::ostream& out, const TDefTable& table, int level)
{
    TitleLine(out, table, level);
    const std::string indent = Indent(level);
    if (table.title1) {
        out << indent << *table.title1 << '\n';
        if (table.title2)
            out << indent << *table.title2 << '\n';
        out << '\n';
    }
    out << indent << "Columns:-\n";
    out << indent << "Title\tWidth\tPosition\n";
    for (int c = 0; c <= table.lastColumn && c < TDefTable::kMaxColumns; ++c) {
        const TDefTable::Column& column = table.columns[c];
        out << indent << column.title.value_or("") << '\t' << column.width << '\t'
            << column.justification.value_or("") << '\n';
        out << '\n';
        out << indent << "Picture Script:\n";
        if (column.picture)
            Write(out, *column.picture, -(level + 1));
        out << '\n';
    }
}

// The caption still names the member that once wrote every element: the message is known by it.
void TTextWriter::ReportNoWriter(std::ostream& out, const TDefBase& element, int level)
{
    TitleLine(out, element, level);
    host.ShowError("Should not be called", "TDefBase::AsText");
}
