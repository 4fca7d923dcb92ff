#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TNameTable;
class TOutline;

// The filter boxes over the index and the structure tree: what a typed text keeps. A name holds
// the text when the text is a part of it, ASCII letters matched regardless of case as names
// compare, every other byte exactly. An empty text is in every name.
namespace filter {

bool Holds(std::string_view name, std::string_view text);

// Whether the rows of previous can be narrowed to those of text: a name that holds text also holds
// previous.
bool Narrows(std::string_view previous, std::string_view text);

// The names of a name table folded and laid end to end, made once so that each keystroke in the
// index only searches them. Keeps no reference to the table.
class TFoldedNames {
public:
    explicit TFoldedNames(const TNameTable& table);

    size_t Count() const { return starts.size() - 1; }
    // The rows of the table (indexes into its elements), in table order, whose name holds text.
    std::vector<int> Rows(std::string_view text) const;
    // The same, looking only at the rows given: the rows an earlier text kept, when
    // Narrows(that text, text). Rows out of the table are dropped.
    std::vector<int> Narrow(std::string_view text, const std::vector<int>& rows) const;

private:
    std::string folded;
    // Name r is folded[starts[r]] up to folded[starts[r + 1]].
    std::vector<size_t> starts;
};

// What the structure tree shows under a filter: the leaves whose label holds the text and every
// ancestor of one; the root always. Nodes are the outline's.
class TKeptNodes {
public:
    TKeptNodes(const TOutline& outline, std::string_view text);

    bool Kept(int node) const { return Valid(node) && row[static_cast<size_t>(node)] >= 0; }
    // The node's row among its parent's kept children; -1 for a node that is not kept.
    int Row(int node) const { return Valid(node) ? row[static_cast<size_t>(node)] : -1; }
    int ChildCount(int node) const;
    // The kept child at that row; -1 when there is none.
    int Child(int node, int childRow) const;
    // The kept nodes with kept children, in node order: the ones the tree shows expanded.
    const std::vector<int>& Expanded() const { return expanded; }

private:
    bool Valid(int node) const { return node >= 0 && static_cast<size_t>(node) < row.size(); }

    std::vector<int> row;
    // The kept children of node n are children[firstChild[n]] up to children[firstChild[n + 1]].
    std::vector<int> firstChild;
    std::vector<int> children;
    std::vector<int> expanded;
};

} // namespace filter
