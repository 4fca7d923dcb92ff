#include "compare/Comparison.h"

#include "compare/LineDiff.h"
#include "export/TOutline.h"
#include "export/TTextWriter.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TDisplayHost.h"

#include <ostream>
#include <sstream>
#include <unordered_map>
#include <utility>

namespace compare {

namespace {

// Units are made only of elements that have a writer, so nothing here is ever shown.
class TSilentHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view, std::string_view) override {}
};

// The outline's leaves that stand for an element, depth first in the order the tree shows them.
std::vector<int> LeafElements(const TOutline& outline)
{
    std::vector<int> elements;
    std::vector<int> pending{TOutline::Root()};
    while (!pending.empty()) {
        const TOutline::TNode& node = outline.Node(pending.back());
        pending.pop_back();
        if (!node.children.empty())
            pending.insert(pending.end(), node.children.rbegin(), node.children.rend());
        else if (node.element != TOutline::kNone)
            elements.push_back(node.element);
    }
    return elements;
}

} // namespace

TUnits::TUnits(const TDefinedArray& defs)
{
    TOutline outline;
    outline.Fill(defs, {});
    TSilentHost host;
    // One writer, made to forget before each unit, writes every unit as a fresh one would; what
    // it wrote for all of them is what one writer going through them in turn would have written.
    TTextWriter writer(defs, host);
    std::vector<bool> isUnit(defs.Count());
    std::vector<bool> written(defs.Count());
    std::ostringstream out;
    const auto add = [&](const TDefBase& element) {
        writer.Forget();
        const auto offset = static_cast<size_t>(out.tellp());
        writer.Write(out, element, 0);
        units.push_back({&element, offset, static_cast<size_t>(out.tellp()) - offset});
        isUnit[static_cast<size_t>(element.index)] = true;
        for (const size_t index : writer.WrittenIndices())
            written[index] = true;
    };
    for (const int element : LeafElements(outline))
        add(*defs.At(static_cast<size_t>(element)));
    for (const auto& element : defs) {
        const auto at = static_cast<size_t>(element->index);
        if (!isUnit[at] && !written[at] && TTextWriter::HasWriter(element->kind))
            add(*element);
    }
    text = std::move(out).str();
}

const std::string& TUnits::Title(size_t unit) const
{
    return units[unit].element->Title();
}

const char* StatusWord(TStatus status)
{
    switch (status) {
    case TStatus::Changed:
        return "changed";
    case TStatus::Added:
        return "added";
    case TStatus::Removed:
        return "removed";
    case TStatus::Unchanged:
    default:
        return "unchanged";
    }
}

TComparison::TComparison(const TDefinedArray& oldDefs, const TDefinedArray& newDefs)
    : TComparison(TUnits(oldDefs), TUnits(newDefs))
{
}

TComparison::TComparison(TUnits oldSide, TUnits newSide)
    : oldUnits(std::move(oldSide)), newUnits(std::move(newSide))
{
    std::unordered_map<std::string_view, std::vector<size_t>> oldByTitle;
    for (size_t i = 0; i < oldUnits.Count(); ++i)
        oldByTitle[oldUnits.Title(i)].push_back(i);
    std::unordered_map<std::string_view, size_t> seen;
    std::vector<bool> matched(oldUnits.Count());
    for (size_t i = 0; i < newUnits.Count(); ++i) {
        const std::string& title = newUnits.Title(i);
        const size_t occurrence = seen[title]++;
        const auto old = oldByTitle.find(title);
        if (old == oldByTitle.end() || occurrence >= old->second.size()) {
            differences.push_back({TStatus::Added, TDifference::kNone, i});
            continue;
        }
        const size_t match = old->second[occurrence];
        matched[match] = true;
        if (oldUnits.Text(match) == newUnits.Text(i))
            ++unchanged;
        else
            differences.push_back({TStatus::Changed, match, i});
    }
    for (size_t i = 0; i < oldUnits.Count(); ++i)
        if (!matched[i])
            differences.push_back({TStatus::Removed, i, TDifference::kNone});
}

size_t TComparison::Count(TStatus status) const
{
    if (status == TStatus::Unchanged)
        return unchanged;
    size_t count = 0;
    for (const TDifference& d : differences)
        count += d.status == status;
    return count;
}

const std::string& TComparison::Title(const TDifference& d) const
{
    return d.newUnit != TDifference::kNone ? newUnits.Title(d.newUnit) : oldUnits.Title(d.oldUnit);
}

std::string_view TComparison::OldText(const TDifference& d) const
{
    return d.oldUnit != TDifference::kNone ? oldUnits.Text(d.oldUnit) : std::string_view();
}

std::string_view TComparison::NewText(const TDifference& d) const
{
    return d.newUnit != TDifference::kNone ? newUnits.Text(d.newUnit) : std::string_view();
}

const TDefBase* TComparison::NewElement(const TDifference& d) const
{
    return d.newUnit != TDifference::kNone ? &newUnits.Element(d.newUnit) : nullptr;
}

void WriteUnified(std::ostream& out, const TComparison& comparison, const TDifference& d)
{
    const std::string& title = comparison.Title(d);
    out << "--- " << (d.oldUnit != TDifference::kNone ? "a/" + title : "/dev/null") << '\n';
    out << "+++ " << (d.newUnit != TDifference::kNone ? "b/" + title : "/dev/null") << '\n';
    linediff::WriteHunks(out, comparison.OldText(d), comparison.NewText(d));
}

void WriteBrief(std::ostream& out, const TComparison& comparison, const TDifference& d)
{
    out << StatusWord(d.status) << ' ' << comparison.Title(d) << '\n';
}

} // namespace compare
