// The text writers of the elements that the form panes show: groups, records and choices,
// options, print settings; and the answer for kinds that have no writer.

#include "export/TTextContext.h"
#include "model/Kinds.h"
#include "model/TDefField.h"
#include "model/TDefOption.h"
#include "model/TDefPrintSetting.h"

#include <ostream>
#include <string_view>

namespace {

const char* YesNo(bool value)
{
    return value ? "Yes" : "No";
}

// All the fields the element owns, not only those right after it: a field declared after a
// picture belongs to the list as much as the others.
void WriteFields(std::ostream& out, TDefBase& element, int level, TTextContext& context)
{
    TTextContext::TitleLine(out, element, level);
    const std::string indent = TTextContext::Indent(level);
    if (level > 0)
        out << indent << "Field\tType\tTag\n";
    for (TDefBase* part : context.Owned(element)) {
        const auto* field = part->kind == kinds::Field ? dynamic_cast<TDefField*>(part) : nullptr;
        if (field)
            out << indent << field->name << '\t' << field->fieldType << '\t' << field->GedcomTag()
                << '\n';
    }
}

void WriteWords(std::ostream& out, TDefBase& choice, int level, TTextContext& context)
{
    TTextContext::TitleLine(out, choice, level);
    out << TTextContext::Indent(level);
    std::string_view separator;
    for (const TDefBase* part : context.Owned(choice)) {
        if (part->kind != kinds::Word)
            continue;
        out << separator << part->name;
        separator = ", ";
    }
    out << '\n';
}

} // namespace

void TDefBase::AsText(std::ostream& out, int level, TTextContext& context)
{
    const bool hasWriter = kind == kinds::Group || kind == kinds::Record || kind == kinds::Choice;
    if (!hasWriter) {
        TTextContext::TitleLine(out, *this, level);
        context.Host().ShowError("Should not be called", "TDefBase::AsText");
        return;
    }
    if (marked)
        return;
    marked = true;
    if (kind == kinds::Choice)
        WriteWords(out, *this, level, context);
    else
        WriteFields(out, *this, level, context);
}

void TDefOption::AsText(std::ostream& out, int level, TTextContext&)
{
    if (marked)
        return;
    marked = true;
    TTextContext::TitleLine(out, *this, level);
    const std::string indent = TTextContext::Indent(level);
    out << indent << "Dates\n";
    out << indent << "\tFormat\t";
    out << DateFormatText(dateFormat) << '\n';
    out << indent << "\tPrefixes\n";
    out << indent << "\t\tBefore\t" << prefixBefore << '\n';
    out << indent << "\t\tAbout\t" << prefixAbout << '\n';
    out << indent << "\t\tAfter\t" << prefixAfter << '\n';
    out << '\n';
    out << indent << "Printer Name\t" << printerName << '\n';
    out << indent << "Truncation Marker\t" << MarkerText(truncMarker);
    out << '\n';
    out << indent << "Show RINs\t" << YesNo(showRins) << '\n';
    out << indent << "Show Lines\t" << YesNo(showLines) << '\n';
}

void TDefPrintSetting::AsText(std::ostream& out, int level, TTextContext&)
{
    if (marked)
        return;
    marked = true;
    TTextContext::TitleLine(out, *this, level);
    const std::string indent = TTextContext::Indent(level);
    const std::pair<const char*, uint32_t> values[] = {
        {"Sequence 1", sequence1},     {"Sequence 2", sequence2},   {"Sequence 3", sequence3},
        {"Page Width", pageWidth},     {"Page Height", pageHeight}, {"Left Margin", leftMargin},
        {"Right Margin", rightMargin}, {"Top Space", topSpace},     {"Bottom Space", bottomSpace}};
    for (const auto& [label, value] : values)
        out << indent << label << '\t' << value << '\n';
    out << indent << "Page pause\t" << YesNo(pagePause) << '\n';
}
