#include "views/NameFilter.h"

#include "export/TOutline.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "script/TNameTable.h"

#include <algorithm>
#include <string>

namespace filter {

namespace {

// The text already folded, so a search over many names folds it once.
bool HoldsFolded(std::string_view name, std::string_view folded)
{
    return folded.empty() ||
           std::search(name.begin(), name.end(), folded.begin(), folded.end(),
                       [](char a, char b) { return names::Fold(a) == b; }) != name.end();
}

} // namespace

bool Holds(std::string_view name, std::string_view text)
{
    return HoldsFolded(name, names::Folded(text));
}

bool Narrows(std::string_view previous, std::string_view text)
{
    return Holds(text, previous);
}

TFoldedNames::TFoldedNames(const TNameTable& table)
{
    starts.reserve(table.Count() + 1);
    for (const TDefBase* element : table.Elements()) {
        starts.push_back(folded.size());
        folded += element->name;
    }
    starts.push_back(folded.size());
    names::FoldInPlace(folded);
}

std::vector<int> TFoldedNames::Rows(std::string_view text) const
{
    const std::string part = names::Folded(text);
    std::vector<int> rows;
    if (part.empty()) {
        rows.resize(Count());
        for (size_t row = 0; row < rows.size(); ++row)
            rows[row] = static_cast<int>(row);
        return rows;
    }
    // One search through every name at once; a match that runs on into the next name is none.
    const std::string_view all = folded;
    size_t row = 0;
    for (size_t at = all.find(part); at != std::string_view::npos;) {
        row = static_cast<size_t>(
                  std::upper_bound(starts.begin() + static_cast<long>(row) + 1, starts.end(), at) -
                  starts.begin()) -
              1;
        const size_t end = starts[row + 1];
        if (at + part.size() <= end)
            rows.push_back(static_cast<int>(row));
        at = all.find(part, end);
    }
    return rows;
}

std::vector<int> TFoldedNames::Narrow(std::string_view text, const std::vector<int>& rows) const
{
    const std::string part = names::Folded(text);
    const std::string_view all = folded;
    std::vector<int> kept;
    for (const int row : rows) {
        if (row < 0 || static_cast<size_t>(row) >= Count())
            continue;
        const size_t start = starts[static_cast<size_t>(row)];
        if (all.substr(start, starts[static_cast<size_t>(row) + 1] - start).find(part) !=
            std::string_view::npos)
            kept.push_back(row);
    }
    return kept;
}

TKeptNodes::TKeptNodes(const TOutline& outline, std::string_view text)
    : row(outline.Count(), -1), firstChild(outline.Count() + 1, 0)
{
    if (outline.Count() == 0)
        return;
    const std::string folded = names::Folded(text);
    // Marks 0 for kept; rows are numbered below once every mark is set.
    row[TOutline::Root()] = 0;
    for (size_t node = 0; node < outline.Count(); ++node) {
        const int id = static_cast<int>(node);
        if (!outline.IsLeaf(id) || !HoldsFolded(outline.Node(id).label, folded))
            continue;
        // Up to the first ancestor already kept: every node is marked once.
        for (int up = id; up != TOutline::kNone && row[static_cast<size_t>(up)] < 0;
             up = outline.Node(up).parent)
            row[static_cast<size_t>(up)] = 0;
    }
    for (size_t node = 0; node < outline.Count(); ++node) {
        firstChild[node] = static_cast<int>(children.size());
        if (row[node] < 0)
            continue;
        for (const int child : outline.Node(static_cast<int>(node)).children)
            if (row[static_cast<size_t>(child)] >= 0) {
                row[static_cast<size_t>(child)] =
                    static_cast<int>(children.size()) - firstChild[node];
                children.push_back(child);
            }
        if (static_cast<int>(children.size()) > firstChild[node])
            expanded.push_back(static_cast<int>(node));
    }
    firstChild[outline.Count()] = static_cast<int>(children.size());
}

int TKeptNodes::ChildCount(int node) const
{
    if (!Kept(node))
        return 0;
    const auto n = static_cast<size_t>(node);
    return firstChild[n + 1] - firstChild[n];
}

int TKeptNodes::Child(int node, int childRow) const
{
    if (childRow < 0 || childRow >= ChildCount(node))
        return -1;
    return children[static_cast<size_t>(firstChild[static_cast<size_t>(node)] + childRow)];
}

} // namespace filter
