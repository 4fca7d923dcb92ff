#include "views/TDisplayIndex.h"

#include "model/Kinds.h"
#include "model/TDatabase.h"
#include "model/TDefBase.h"
#include "views/ListRows.h"
#include "views/TIndexModel.h"
#include "views/TPaneHost.h"

#include <QHeaderView>

TDisplayIndex::TDisplayIndex(TPaneHost& host, QWidget* parent)
    : TMyListWindow(host, parent), names(host.Database().Names()),
      rows(new TIndexModel(names, this))
{
    SetListModel(rows);
    for (int column = 0; column < rows->columnCount(); ++column)
        header()->resizeSection(column, kColumnWidth);
}

void TDisplayIndex::SelectElement(const TDefBase& element)
{
    const int row = rows->RowOf(&element);
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = rows->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

std::string TDisplayIndex::WriteText() const
{
    return lists::IndexCopyText(names);
}

bool TDisplayIndex::Answers(TCommand command) const
{
    return command == Relationships || TMyListWindow::Answers(command);
}

bool TDisplayIndex::Enabled(TCommand command) const
{
    return command == Relationships || TMyListWindow::Enabled(command);
}

void TDisplayIndex::Run(TCommand command)
{
    if (command != Relationships) {
        TMyListWindow::Run(command);
        return;
    }
    const TDefBase* selected = SelectedElement();
    host.ShowRelationships(selected && selected->kind == kinds::Picture ? selected : nullptr);
}

TDefBase* TDisplayIndex::ElementAt(int row) const
{
    return rows->ElementAt(row);
}

bool TDisplayIndex::CanOpen(const TDefBase&) const
{
    return true;
}

void TDisplayIndex::Open(TDefBase& element)
{
    host.OpenDefinition(element);
}
