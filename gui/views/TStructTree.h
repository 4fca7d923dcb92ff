#pragma once

#include <QTreeView>

#include <string>
#include <vector>

class TDefinedArray;
class TStructModel;

// A tree view of the loaded design by category and part: closed and open books and pages over
// the core's outline, as the structure window and the Save As Text dialog show it. A filter shows
// only the leaves whose label holds a text, with their ancestors expanded.
class TStructTree : public QTreeView {
    Q_OBJECT
public:
    explicit TStructTree(QWidget* parent = nullptr);

    // Builds the outline of the definition array under a root labelled rootCaption (the bytes of
    // the database name) and expands the root.
    void Fill(const TDefinedArray& defs, const std::string& rootCaption);
    // Selects the first leaf, depth first, that stands for the element (its index in the
    // definition array), expanding its parents and scrolling it into view; a filter that hides
    // the leaf is cleared first. False when no leaf does; nothing changes then.
    bool SelectElement(int element);

    // Filters by the text (the bytes compared with labels); an empty text shows every node again,
    // expanded as it was before the filter. The current node stays current while it is shown.
    void SetFilter(const std::string& text);
    const std::string& FilterText() const { return filterText; }

    // The nodes expanded (as they will be again once a filter is cleared), each as the labels from
    // the root down to it; and expanding the nodes so labelled, in a tree with no filter.
    std::vector<std::vector<std::string>> ExpandedPaths() const;
    void ExpandPaths(const std::vector<std::vector<std::string>>& paths);
    // The current node by its labels from the root; empty for none. Making the so labelled node
    // current again, when this tree has it.
    std::vector<std::string> CurrentPath() const;
    void SetCurrentPath(const std::vector<std::string>& path);

    TStructModel* Outline() const;
    bool IsLeaf(const QModelIndex& index) const;
    // The element a node stands for; -1 for none.
    static int ElementOf(const QModelIndex& index);

Q_SIGNALS:
    // SelectElement cleared the filter.
    void FilterCleared();

private:
    // The nodes expanded now, found from the root through expanded nodes only.
    std::vector<int> ExpandedNodes() const;
    std::vector<std::string> PathOf(int node) const;
    // The node of the labels; TOutline::kNone when there is none. The root's label is the
    // database name, which a reload keeps: it is not compared.
    int NodeAt(const std::vector<std::string>& path) const;

    std::string filterText;
    std::vector<int> expandedBeforeFilter;
};
