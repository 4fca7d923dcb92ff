#pragma once

#include "gui/views/TStructTree.h"

#include <string>

class TDefinedArray;
class TSaveAsModel;

// The Save As Text tree: the structure tree with a three-state check box on every node. Only a
// click on a box, or Space on the current node, toggles it, by the core's rule.
class TSaveAsTree : public TStructTree {
    Q_OBJECT
public:
    explicit TSaveAsTree(QWidget* parent = nullptr);

    // Builds the tree as the structure tree is built, everything unchecked, the root expanded.
    // The array must outlive the tree's model and stay unchanged.
    void Fill(const TDefinedArray& defs, const std::string& rootCaption);
    // Null before Fill.
    TSaveAsModel* Selection() const;

Q_SIGNALS:
    // The person changed a check mark by hand.
    void HandToggled();
};
