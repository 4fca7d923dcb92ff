#include "gui/export/TSaveAsTree.h"

#include "export/TOutline.h"
#include "gui/export/TSaveAsModel.h"

// The structure tree's delegate draws the check box and passes a click on it, or Space, to the
// model as a check-state edit: the model applies the core's toggle.
TSaveAsTree::TSaveAsTree(QWidget* parent) : TStructTree(parent) {}

void TSaveAsTree::Fill(const TDefinedArray& defs, const std::string& rootCaption)
{
    TOutline outline;
    outline.Fill(defs, rootCaption);
    auto* selection = new TSaveAsModel(std::move(outline), defs, this);
    connect(selection, &TSaveAsModel::Toggled, this, &TSaveAsTree::HandToggled);
    QAbstractItemModel* old = model();
    setModel(selection);
    delete old;
    expand(selection->IndexOf(TOutline::Root()));
}

TSaveAsModel* TSaveAsTree::Selection() const
{
    return qobject_cast<TSaveAsModel*>(model());
}
