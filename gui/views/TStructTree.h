#pragma once

#include <QTreeView>

#include <string>

class TDefinedArray;
class TStructModel;

// A tree view of the loaded design by category and part: closed and open books and pages over
// the core's outline. The structure window uses it, and so will the Save As Text dialog.
class TStructTree : public QTreeView {
    Q_OBJECT
public:
    explicit TStructTree(QWidget* parent = nullptr);

    // Builds the outline of the definition array under a root labelled rootCaption (the bytes of
    // the database name) and expands the root.
    void Fill(const TDefinedArray& defs, const std::string& rootCaption);
    // Selects the first leaf, depth first, that stands for the element (its index in the
    // definition array), expanding its parents and scrolling it into view. False when no leaf
    // does; nothing changes then.
    bool SelectElement(int element);

    TStructModel* Outline() const;
    bool IsLeaf(const QModelIndex& index) const;
    // The element a node stands for; -1 for none.
    static int ElementOf(const QModelIndex& index);
};
