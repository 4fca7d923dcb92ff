#include "views/TTreeChild.h"

#include "app/CommandIds.h"
#include "support/TIconSet.h"
#include "views/TSpecTree.h"

TTreeChild::TTreeChild(const TDefinedArray& defs, const std::string& rootCaption)
    : TChildWindow(tr("Database Structure"), {TChildKey::Structure}, helpids::StructureWindow),
      tree(new TSpecTree)
{
    setWindowIcon(TIconSet::Icon(TIconSet::BookOpen));
    tree->Fill(defs, rootCaption);
    setWidget(tree);
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
