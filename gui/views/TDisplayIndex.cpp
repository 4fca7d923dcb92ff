#include "gui/views/TDisplayIndex.h"

#include "gui/views/TDocument.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TIndexModel.h"
#include "gui/views/TPaneHost.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "views/ListRows.h"

#include <QHeaderView>
#include <QTimer>

#include <algorithm>

TDisplayIndex::TDisplayIndex(TPaneHost& host, QWidget* parent)
    : TMyListWindow(host, parent), names(host.Document().db.Names()),
      rows(new TIndexModel(names, this)), filterBox(new TFilterBox(tr("Filter names")))
{
    AddFilterBox(filterBox);
    SetListModel(rows);
    for (int column = 0; column < rows->columnCount(); ++column)
        header()->resizeSection(column, kColumnWidth);
    connect(filterBox, &QLineEdit::textChanged, this, &TDisplayIndex::ApplyFilter);
    connect(filterBox, &TFilterBox::ListWanted, this, &TDisplayIndex::FocusList);
    // Folding every name takes a moment in a large design: done once the window is up, before a
    // person can type, and not in the way of opening it.
    QTimer::singleShot(0, this, [this] { FoldNames(); });
}

void TDisplayIndex::FoldNames()
{
    if (!foldedNames)
        foldedNames.emplace(names);
}

void TDisplayIndex::SelectElement(const TDefBase& element)
{
    int row = rows->RowOf(&element);
    if (row < 0 && rows->Filtered()) {
        const auto& all = names.Elements();
        if (std::find(all.begin(), all.end(), &element) != all.end()) {
            filterBox->clear();
            row = rows->RowOf(&element);
        }
    }
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    Select(row);
}

void TDisplayIndex::Select(int row)
{
    const QModelIndex index = rows->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TDisplayIndex::ApplyFilter()
{
    const std::string text = filterBox->Bytes();
    if (text == filterText)
        return;
    const TDefBase* selected = SelectedElement();
    FoldNames();
    if (text.empty())
        rows->ClearFilter();
    else if (rows->Filtered() && filter::Narrows(filterText, text))
        rows->SetFilter(foldedNames->Narrow(text, rows->TableRows()));
    else
        rows->SetFilter(foldedNames->Rows(text));
    filterText = text;
    // A reset forgets the selection without a word; the row, when it is still there, comes back.
    if (const int row = rows->RowOf(selected); row >= 0)
        Select(row);
    host.SelectionChanged();
}

void TDisplayIndex::FocusList()
{
    if (!SelectedElement() && rows->rowCount() > 0)
        Select(0);
    setFocus(Qt::OtherFocusReason);
}

std::string TDisplayIndex::WriteText() const
{
    return lists::IndexCopyText(names);
}

TPaneState TDisplayIndex::State() const
{
    TPaneState state = TMyListWindow::State();
    const TDefBase* selected = SelectedElement();
    // The whole index, even while the filter shows no row.
    state.canCopy = names.Count() > 0;
    if (selected && selected->kind == kinds::Picture)
        state.diagramElement = selected;
    if (selected && kinds::IsPictureKind(selected->kind))
        state.focusPicture = selected;
    state.filter = filterBox;
    return state;
}

const TDefBase* TDisplayIndex::ElementAt(int row) const
{
    return rows->ElementAt(row);
}

bool TDisplayIndex::CanOpen(const TDefBase&) const
{
    return true;
}

void TDisplayIndex::Open(const TDefBase& element)
{
    host.OpenDefinition(element);
}
