#pragma once

#include "gui/views/TChildWindow.h"

#include <string>

class TDefinedArray;
class TFilterBox;
class TSpecTree;

// The "Database Structure" window, pinned in the column at the left of the main frame's client,
// with a filter box above the tree. Once placed, a width the user gives it becomes the width of
// that column.
class TTreeChild : public TChildWindow {
    Q_OBJECT
public:
    TTreeChild(const TDefinedArray& defs, const std::string& rootCaption);

    TSpecTree& Tree() const { return *tree; }
    TFilterBox& FilterBox() const { return *filterBox; }
    // Moves the window into the tree column (left 0, top 0).
    void Place(int width, int height);

Q_SIGNALS:
    // The user resized the window while it is neither minimised nor maximised.
    void WidthChanged(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The keyboard to the tree; under a filter, on the first leaf kept when no leaf is current.
    void FocusTree();

    TSpecTree* tree;
    TFilterBox* filterBox;
    bool isSetUp = false;
};
