#include "export/TSelectionTree.h"

#include "export/TOutline.h"
#include "export/TTextWriter.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <ostream>

TSelectionTree::TSelectionTree(const TOutline& outline, const TDefinedArray& defs)
    : outline(outline), defs(defs), states(outline.Count(), TCheckState::Unchecked)
{
}

bool TSelectionTree::Selects(unsigned bits, int kind)
{
    switch (kind) {
    case kinds::Choice:
    case kinds::Group:
    case kinds::Record:
        return bits & kGroupsAndRecords;
    case kinds::Picture:
    case kinds::PlanPicture:
        return bits & kPictures;
    case kinds::List:
        return bits & kLists;
    case kinds::Table:
    case kinds::Report:
        return bits & kTablesAndReports;
    case kinds::Options:
        return bits & kSettings;
    case kinds::PrintSettings:
        return (bits & kSettings) && (bits & kTablesAndReports);
    default:
        return false;
    }
}

void TSelectionTree::SetAllUnchecked()
{
    states.assign(outline.Count(), TCheckState::Unchecked);
}

void TSelectionTree::ApplyQuickSelection(unsigned bits)
{
    SetAllUnchecked();
    if (outline.Count() > 0)
        Select(TOutline::Root(), bits);
}

// Setting each inner node from its children after visiting them gives the states that
// recomputing upwards from every checked leaf would, in one pass.
void TSelectionTree::Select(int node, unsigned bits)
{
    const TOutline::TNode& n = outline.Node(node);
    if (n.children.empty()) {
        if (n.element != TOutline::kNone &&
            Selects(bits, defs.At(static_cast<size_t>(n.element))->kind))
            states[static_cast<size_t>(node)] = TCheckState::Checked;
        return;
    }
    for (int child : n.children)
        Select(child, bits);
    states[static_cast<size_t>(node)] = FromChildren(node);
}

TCheckState TSelectionTree::FromChildren(int node) const
{
    const auto& children = outline.Node(node).children;
    size_t checked = 0;
    size_t partly = 0;
    for (int child : children) {
        const TCheckState s = State(child);
        checked += s == TCheckState::Checked;
        partly += s == TCheckState::Partly;
    }
    if (checked == 0 && partly == 0)
        return TCheckState::Unchecked;
    return checked == children.size() ? TCheckState::Checked : TCheckState::Partly;
}

void TSelectionTree::RecomputeUpwards(int node)
{
    for (; node != TOutline::kNone; node = outline.Node(node).parent)
        if (!outline.IsLeaf(node))
            states[static_cast<size_t>(node)] = FromChildren(node);
}

void TSelectionTree::Toggle(int node)
{
    const TCheckState to =
        State(node) == TCheckState::Unchecked ? TCheckState::Checked : TCheckState::Unchecked;
    std::vector<int> pending{node};
    while (!pending.empty()) {
        const int n = pending.back();
        pending.pop_back();
        states[static_cast<size_t>(n)] = to;
        const auto& children = outline.Node(n).children;
        pending.insert(pending.end(), children.begin(), children.end());
    }
    RecomputeUpwards(outline.Node(node).parent);
}

bool TSelectionTree::AnythingChecked() const
{
    return !states.empty() && State(TOutline::Root()) != TCheckState::Unchecked;
}

void TSelectionTree::WriteChecked(std::ostream& out, const std::string& databaseName,
                                  TDisplayHost& host)
{
    out << "Kinvault Specifications for " << databaseName << " Database\n\n";
    if (states.empty())
        return;
    TTextWriter writer(defs, host);
    std::vector<int> pending{TOutline::Root()};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        if (State(node) == TCheckState::Unchecked)
            continue;
        const TOutline::TNode& n = outline.Node(node);
        if (!n.children.empty()) {
            pending.insert(pending.end(), n.children.rbegin(), n.children.rend());
            continue;
        }
        if (State(node) != TCheckState::Checked || n.element == TOutline::kNone)
            continue;
        const TDefBase& element = *defs.At(static_cast<size_t>(n.element));
        if (writer.Written(element))
            continue;
        writer.Write(out, element, 1);
        out << "\n\n";
    }
}
