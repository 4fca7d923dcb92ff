#include "compare/Comparison.h"

#include "compare/LineDiff.h"
#include "compare/TitleMatch.h"
#include "export/TOutline.h"
#include "export/TTextWriter.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TDisplayHost.h"

#include <functional>
#include <ostream>
#include <sstream>
#include <unordered_map>
#include <utility>

namespace compare {

namespace {

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

TUnits::TUnits(const TDefinedArray& defs) : defs(&defs)
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
        out.str({});
        writer.Write(out, element, 0);
        const std::string_view text = out.view();
        units.push_back({&element, std::hash<std::string_view>{}(text), text.size()});
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
}

const std::string& TUnits::Title(size_t unit) const
{
    return units[unit].element->Title();
}

std::vector<std::string_view> TUnits::Titles() const
{
    std::vector<std::string_view> titles;
    titles.reserve(units.size());
    for (const TUnit& unit : units)
        titles.push_back(unit.element->Title());
    return titles;
}

std::vector<TUnitPrint> TUnits::Prints() const
{
    std::vector<TUnitPrint> prints;
    prints.reserve(units.size());
    for (const TUnit& unit : units)
        prints.push_back({unit.element->Title(), unit.length, unit.digest});
    return prints;
}

std::vector<int> ChangedSince(const std::vector<TUnitPrint>& before, const TUnits& now)
{
    std::vector<std::string_view> oldTitles;
    oldTitles.reserve(before.size());
    for (const TUnitPrint& print : before)
        oldTitles.push_back(print.title);
    const std::vector<size_t> matches = MatchByTitle(oldTitles, now.Titles());
    std::vector<int> changed;
    for (size_t i = 0; i < matches.size(); ++i)
        if (matches[i] == kUnmatched || !now.SameText(i, before[matches[i]]))
            changed.push_back(now.Element(i).index);
    return changed;
}

bool TUnits::SameText(size_t unit, const TUnits& other, size_t otherUnit) const
{
    const TUnit& a = units[unit];
    const TUnit& b = other.units[otherUnit];
    return a.length == b.length && a.digest == b.digest;
}

bool TUnits::SameText(size_t unit, const TUnitPrint& print) const
{
    return units[unit].length == print.length && units[unit].digest == print.digest;
}

std::vector<std::string> TUnits::Texts(const std::vector<size_t>& which) const
{
    TSilentHost host;
    TTextWriter writer(*defs, host);
    std::vector<std::string> texts;
    texts.reserve(which.size());
    for (const size_t unit : which) {
        writer.Forget();
        std::ostringstream out;
        writer.Write(out, *units[unit].element, 0);
        texts.push_back(std::move(out).str());
    }
    return texts;
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
    std::vector<bool> matched(oldUnits.Count());
    const std::vector<size_t> matches = MatchByTitle(oldUnits.Titles(), newUnits.Titles());
    for (size_t i = 0; i < newUnits.Count(); ++i) {
        const size_t match = matches[i];
        if (match == kUnmatched) {
            differences.push_back({TStatus::Added, TDifference::kNone, i, {}, {}});
            continue;
        }
        matched[match] = true;
        if (oldUnits.SameText(match, newUnits, i))
            ++unchanged;
        else
            differences.push_back({TStatus::Changed, match, i, {}, {}});
    }
    for (size_t i = 0; i < oldUnits.Count(); ++i)
        if (!matched[i])
            differences.push_back({TStatus::Removed, i, TDifference::kNone, {}, {}});

    // Only what differs is written again.
    std::vector<size_t> oldWhich;
    std::vector<size_t> newWhich;
    for (const TDifference& d : differences) {
        if (d.oldUnit != TDifference::kNone)
            oldWhich.push_back(d.oldUnit);
        if (d.newUnit != TDifference::kNone)
            newWhich.push_back(d.newUnit);
    }
    std::vector<std::string> oldTexts = oldUnits.Texts(oldWhich);
    std::vector<std::string> newTexts = newUnits.Texts(newWhich);
    auto nextOld = oldTexts.begin();
    auto nextNew = newTexts.begin();
    for (TDifference& d : differences) {
        if (d.oldUnit != TDifference::kNone)
            d.oldText = std::move(*nextOld++);
        if (d.newUnit != TDifference::kNone)
            d.newText = std::move(*nextNew++);
    }
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
    return d.oldText;
}

std::string_view TComparison::NewText(const TDifference& d) const
{
    return d.newText;
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
