#pragma once

#include "gui/views/TStructTree.h"

// The structure window's tree: a single click on a leaf brings its open definition window
// forward (and opens none); a double-click or Enter on a leaf opens it.
class TSpecTree : public TStructTree {
    Q_OBJECT
public:
    using TStructTree::TStructTree;

    // The element of the selected node when that node is a leaf; -1 otherwise.
    int SelectedLeafElement() const;
    // Opens the selected leaf's element, as Enter does.
    void OpenSelected();

Q_SIGNALS:
    // onlyActivate: bring an open definition window forward, create none.
    void OpenRequested(int element, bool onlyActivate);
    // The selected node changed, so whether a leaf is selected may have too.
    void SelectionMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A filter resets the model, which forgets the selection without a word.
    void reset() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void Open(const QModelIndex& leaf, bool onlyActivate);
};
