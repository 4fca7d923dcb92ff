#pragma once

#include <string>
#include <vector>

class TDefBase;
class TDefRepBase;
class TDefinedArray;
class TOwnerIndex;

// What the structure tree and the Save As Text tree show: the loaded design by category, and
// inside groups, records, charts, tables and reports by their parts. Plain nodes that the
// windows display; node 0 is the root.
class TOutline {
public:
    static constexpr int kNone = -1;

    struct TNode {
        std::string label;
        bool book = false;   // a book (open or closed), otherwise a page
        int element = kNone; // the index in the definition array this node stands for
        int parent = kNone;
        int row = 0; // position among the parent's children
        std::vector<int> children;
    };

    // Builds every node from the definition array, the root labelled with rootCaption.
    void Fill(const TDefinedArray& defs, const std::string& rootCaption);

    const TNode& Node(int id) const { return nodes[static_cast<size_t>(id)]; }
    size_t Count() const { return nodes.size(); }
    static constexpr int Root() { return 0; }
    bool IsLeaf(int id) const { return Node(id).children.empty(); }

private:
    // Tables and reports belong to a record by their type, not by owner; each kind sorted by
    // type and then index, so a record finds its own in one search.
    struct TByType {
        std::vector<const TDefRepBase*> tables;
        std::vector<const TDefRepBase*> reports;
    };

    int Append(int parent, std::string label, bool book, int element = kNone);
    void AddParts(int node, const TDefBase& element, int partKind, const TOwnerIndex& owned,
                  const TByType& byType);

    std::vector<TNode> nodes;
};
