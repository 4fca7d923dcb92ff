#include "gui/views/TSpecTree.h"

#include "export/TOutline.h"

#include <QKeyEvent>
#include <QMouseEvent>

int TSpecTree::SelectedLeafElement() const
{
    const QModelIndex selected = currentIndex();
    return IsLeaf(selected) && selectionModel()->isSelected(selected) ? ElementOf(selected)
                                                                      : TOutline::kNone;
}

void TSpecTree::Open(const QModelIndex& leaf, bool onlyActivate)
{
    const int element = ElementOf(leaf);
    if (element != TOutline::kNone)
        Q_EMIT OpenRequested(element, onlyActivate);
}

void TSpecTree::OpenSelected()
{
    if (SelectedLeafElement() != TOutline::kNone)
        Open(currentIndex(), false);
}

void TSpecTree::mousePressEvent(QMouseEvent* event)
{
    TStructTree::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid() && hit == currentIndex() && IsLeaf(hit))
        Open(hit, true);
}

void TSpecTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && IsLeaf(hit)) {
        Open(hit, false);
        return;
    }
    TStructTree::mouseDoubleClickEvent(event);
}

void TSpecTree::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        SelectedLeafElement() != TOutline::kNone) {
        Open(currentIndex(), false);
        return;
    }
    TStructTree::keyPressEvent(event);
}

void TSpecTree::reset()
{
    TStructTree::reset();
    Q_EMIT SelectionMoved();
}

void TSpecTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    TStructTree::currentChanged(current, previous);
    Q_EMIT SelectionMoved();
}
