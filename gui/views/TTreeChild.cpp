#include "gui/views/TTreeChild.h"

#include "gui/support/CommandIds.h"
#include "gui/support/TIconSet.h"
#include "gui/views/TDocument.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TPaneHost.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TStructModel.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

// Keys the tree's commands take even while the filter box has the keyboard: Copy and Used by
// act on the leaf, never on the typed text. (Enter opens a selected leaf through Definition's
// shortcut, else the box hands the keyboard to the tree.)
bool IsLeafCommand(const QKeyEvent& key)
{
    return key.matches(QKeySequence::Copy) ||
           (key.key() == Qt::Key_U && key.modifiers() == Qt::ControlModifier);
}

} // namespace

TTreeChild::TTreeChild(TPaneHost& host, const TDefinedArray& defs, const std::string& rootCaption)
    : TChildWindow(tr("Database Structure"), {TChildKey::Structure}, helpids::StructureWindow),
      host(host), defs(defs), tree(new TSpecTree), filterBox(new TFilterBox(tr("Filter names")))
{
    SetPane(*this);
    setWindowIcon(TIconSet::Icon(TIconSet::BookOpen));
    tree->Fill(defs, rootCaption);
    tree->Outline()->SetMarked(host.Document().reloadMarks);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(filterBox);
    layout->addWidget(tree);
    // Activating the window puts the keyboard in the tree, as before the box.
    content->setFocusProxy(tree);
    setWidget(content);
    filterBox->installEventFilter(this);
    connect(filterBox, &QLineEdit::textChanged, this,
            [this] { tree->SetFilter(filterBox->Bytes()); });
    connect(filterBox, &TFilterBox::ListWanted, this, &TTreeChild::FocusFilteredTree);
    connect(tree, &TStructTree::FilterCleared, filterBox, &QLineEdit::clear);
}

const TDefBase* TTreeChild::SelectedElement() const
{
    const int element = tree->SelectedLeafElement();
    return element >= 0 && static_cast<size_t>(element) < defs.Count()
               ? defs.At(static_cast<size_t>(element))
               : nullptr;
}

void TTreeChild::Remark()
{
    tree->Outline()->SetMarked(host.Document().reloadMarks);
    tree->viewport()->update();
}

TPaneState TTreeChild::State() const
{
    const TDefBase* element = SelectedElement();
    TPaneState state;
    state.canCopy = element != nullptr;
    state.canOpen = element != nullptr;
    state.usedBy = element;
    if (element)
        state.selectedName = element->name;
    state.filter = filterBox;
    return state;
}

TPaneMemo TTreeChild::Memo() const
{
    TPaneMemo memo;
    memo.selected = SelectedElement();
    memo.filter = filterBox->Bytes();
    memo.expanded = tree->ExpandedPaths();
    memo.current = tree->CurrentPath();
    return memo;
}

void TTreeChild::Recall(const TPaneMemo& memo)
{
    tree->ExpandPaths(memo.expanded);
    filterBox->setText(QString::fromStdString(memo.filter));
    if (memo.selected)
        tree->SelectElement(memo.selected->index);
    else
        tree->SetCurrentPath(memo.current);
}

void TTreeChild::Copy() const
{
    if (const TDefBase* element = SelectedElement())
        host.CopyText(*element);
}

void TTreeChild::OpenSelected()
{
    tree->OpenSelected();
}

void TTreeChild::FocusTree()
{
    if (!tree->currentIndex().isValid() && tree->model()->rowCount() > 0)
        tree->setCurrentIndex(tree->model()->index(0, 0));
    tree->setFocus(Qt::OtherFocusReason);
}

void TTreeChild::FocusFilteredTree()
{
    if (!tree->FilterText().empty() && !tree->IsLeaf(tree->currentIndex())) {
        QModelIndex leaf = tree->model()->index(0, 0);
        while (tree->model()->rowCount(leaf) > 0)
            leaf = tree->model()->index(0, 0, leaf);
        if (leaf != tree->model()->index(0, 0))
            tree->setCurrentIndex(leaf);
    }
    FocusTree();
}

bool TTreeChild::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != filterBox ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return TChildWindow::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (IsLeafCommand(key)) {
        // Left to the menu's shortcut; the box never copies or deletes its text for these.
        event->ignore();
        return true;
    }
    return TChildWindow::eventFilter(watched, event);
}

void TTreeChild::Place(int width, int height)
{
    setGeometry(0, 0, width, height);
    isSetUp = true;
}

void TTreeChild::resizeEvent(QResizeEvent* event)
{
    TChildWindow::resizeEvent(event);
    if (isSetUp && !isMinimized() && !isMaximized())
        Q_EMIT WidthChanged(width());
}
