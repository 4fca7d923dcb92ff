#pragma once

#include "gui/views/TChildWindow.h"
#include "gui/views/TPane.h"

#include <string>

class TDefBase;
class TDefinedArray;
class TFilterBox;
class TPaneHost;
class TSpecTree;

// The "Database Structure" window, pinned in the column at the left of the main frame's client,
// with a filter box above the tree. Once placed, a width the user gives it becomes the width of
// that column. Its pane state is the selected leaf's element; the keyboard stays in the tree
// for the commands on it, even from the filter box.
class TTreeChild : public TChildWindow, public TPane {
    Q_OBJECT
public:
    TTreeChild(TPaneHost& host, const TDefinedArray& defs, const std::string& rootCaption);

    TSpecTree& Tree() const { return *tree; }
    TFilterBox& FilterBox() const { return *filterBox; }
    // Moves the window into the tree column (left 0, top 0).
    void Place(int width, int height);
    // Puts the keyboard in the tree, on the root when no node is current.
    void FocusTree();
    // The element of the selected leaf; null when no leaf is selected.
    const TDefBase* SelectedElement() const;
    // Shows the document's reload marks anew.
    void Remark();

    TPaneState State() const override;
    // The leaf's element as its definition window's Copy gives it; Definition opens it.
    void Copy() const override;
    void OpenSelected() override;
    // The filter, the expanded nodes and the selected leaf's element.
    TPaneMemo Memo() const override;
    void Recall(const TPaneMemo& memo) override;

Q_SIGNALS:
    // The user resized the window while it is neither minimised nor maximised.
    void WidthChanged(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Under a filter, on the first leaf kept when no leaf is current.
    void FocusFilteredTree();

    TPaneHost& host;
    const TDefinedArray& defs;
    TSpecTree* tree;
    TFilterBox* filterBox;
    bool isSetUp = false;
};
