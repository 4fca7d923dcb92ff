#include "gui/views/TTreeChild.h"

#include "gui/support/CommandIds.h"
#include "gui/support/TIconSet.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TSpecTree.h"

#include <QVBoxLayout>

TTreeChild::TTreeChild(const TDefinedArray& defs, const std::string& rootCaption)
    : TChildWindow(tr("Database Structure"), {TChildKey::Structure}, helpids::StructureWindow),
      tree(new TSpecTree), filterBox(new TFilterBox(tr("Filter names")))
{
    setWindowIcon(TIconSet::Icon(TIconSet::BookOpen));
    tree->Fill(defs, rootCaption);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(filterBox);
    layout->addWidget(tree);
    // Activating the window puts the keyboard in the tree, as before the box.
    content->setFocusProxy(tree);
    setWidget(content);
    connect(filterBox, &QLineEdit::textChanged, this,
            [this] { tree->SetFilter(filterBox->Bytes()); });
    connect(filterBox, &TFilterBox::ListWanted, this, &TTreeChild::FocusTree);
    connect(tree, &TStructTree::FilterCleared, filterBox, &QLineEdit::clear);
}

void TTreeChild::FocusTree()
{
    if (!tree->FilterText().empty() && !tree->IsLeaf(tree->currentIndex())) {
        QModelIndex leaf = tree->model()->index(0, 0);
        while (tree->model()->rowCount(leaf) > 0)
            leaf = tree->model()->index(0, 0, leaf);
        if (leaf != tree->model()->index(0, 0))
            tree->setCurrentIndex(leaf);
    }
    tree->setFocus(Qt::OtherFocusReason);
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
