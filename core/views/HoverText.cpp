#include "views/HoverText.h"

#include "export/SaveAsText.h"
#include "model/Kinds.h"
#include "model/Names.h"
#include "model/Opening.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "model/TDisplayHost.h"
#include "model/TScriptPiece.h"
#include "script/TNameTable.h"
#include "views/PaneRules.h"

#include <sstream>
#include <string_view>
#include <vector>

namespace panes {
namespace {
// The non-blank lines of the element's copy text, without their indent, tabs as two blanks.
std::vector<std::string> CopyLines(const TDefinedArray& defs, const TDefBase& element)
{
    std::ostringstream text;
    TSilentHost host;
    CopyElementText(defs, element, text, host);
    std::istringstream in(text.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos)
            continue;
        line.erase(0, start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', tab))
            line.replace(tab, 1, "  ");
        lines.push_back(line);
    }
    return lines;
}

// The first line of the element's definition: a field's or word's row in its owner's text, a
// script's first line; none for the rest, whose first lines only name their columns.
std::string DefinitionLine(const TDefinedArray& defs, const TDefBase& element)
{
    if ((element.kind == kinds::Field || element.kind == kinds::Word) && element.owner) {
        for (const std::string& line : CopyLines(defs, *element.owner))
            if (names::Equal(std::string_view(line).substr(0, line.find("  ")), element.name))
                return line;
        return {};
    }
    const auto* script = dynamic_cast<const TDefPicture*>(&element);
    if (!script)
        return {};
    const std::string& text = script->script;
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return {};
    std::string line = text.substr(start, text.find_first_of("\r\n", start) - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}
} // namespace

std::string HoverText(const TDefinedArray& defs, const TScriptPiece& piece, bool laidOut)
{
    const TDefBase* target = piece.target;
    if (!target) {
        const TExplanation explanation = ExplainPiece(piece, laidOut);
        return explanation.action == TExplanation::Message ? explanation.text : std::string();
    }
    const TOpening opening = OpeningOf(*target);
    if (opening.action == TOpening::Explain)
        return opening.text;
    const std::string_view kind = TNameTable::ClassName(target->kind);
    std::string text = kind.empty() ? target->Title() : std::string(kind) + " " + target->name;
    if (target->owner)
        text += " in " + target->owner->Title();
    if (const std::string first = DefinitionLine(defs, *target); !first.empty())
        text += "\n" + first;
    return text;
}
} // namespace panes
