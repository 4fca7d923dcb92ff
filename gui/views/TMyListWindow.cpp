#include "gui/views/TMyListWindow.h"

#include "gui/print/TRowsPrintout.h"
#include "gui/support/Bytes.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TPaneHost.h"
#include "model/TDefBase.h"
#include "views/TextSize.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

TMyListWindow::TMyListWindow(TPaneHost& host, QWidget* parent) : QTreeView(parent), host(host)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Every row is one line: the view never asks each of 100,000 rows for its height.
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetUpHeader();
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && State().canOpen)
            OpenSelected();
    });
}

namespace {

// Column titles with room above them for a filter box: the view keeps the header's whole height
// above the rows, and the titles keep to its lower part.
class TRoomyHeader : public QHeaderView {
public:
    TRoomyHeader(int room, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), room(room)
    {
        setViewportMargins(0, room, 0, 0);
    }

    QSize sizeHint() const override { return QHeaderView::sizeHint() + QSize(0, room); }

private:
    int room;
};

} // namespace

void TMyListWindow::SetTextFont(const QFont& fixed)
{
    QFont zoomed = font();
    zoomed.setPointSize(
        std::max(1, QApplication::font(this).pointSize() + fixed.pointSize() - textsize::kDefault));
    const int before = std::max(1, QFontMetrics(font()).averageCharWidth());
    const int after = std::max(1, QFontMetrics(zoomed).averageCharWidth());
    setFont(zoomed);
    for (int column = 0; column < header()->count(); ++column)
        header()->resizeSection(column, header()->sectionSize(column) * after / before);
}

TPaneMemo TMyListWindow::Memo() const
{
    TPaneMemo memo;
    memo.selected = SelectedElement();
    if (filterBox)
        memo.filter = filterBox->Bytes();
    return memo;
}

void TMyListWindow::Recall(const TPaneMemo& memo)
{
    if (filterBox)
        filterBox->setText(QString::fromStdString(memo.filter));
    if (!memo.selected || !model())
        return;
    for (int row = 0; row < model()->rowCount(); ++row) {
        if (ElementAt(row) == memo.selected) {
            const QModelIndex index = model()->index(row, 0);
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
            return;
        }
    }
}

void TMyListWindow::SetUpHeader()
{
    // Columns keep the widths the lists give them.
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TMyListWindow::AddFilterBox(TFilterBox* box)
{
    filterBox = box;
    box->setParent(this);
    setHeader(new TRoomyHeader(box->sizeHint().height(), this));
    SetUpHeader();
    box->raise();
}

void TMyListWindow::updateGeometries()
{
    QTreeView::updateGeometries();
    // Over the column titles, clear of the vertical scroll bar.
    if (filterBox)
        filterBox->setGeometry(header()->x(), header()->y(), viewport()->width(),
                               filterBox->sizeHint().height());
}

void TMyListWindow::SetListModel(QAbstractItemModel* model)
{
    setModel(model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { host.SelectionChanged(); });
}

const TDefBase* TMyListWindow::SelectedElement() const
{
    if (!selectionModel())
        return nullptr;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : ElementAt(rows.front().row());
}

TPaneState TMyListWindow::State() const
{
    const TDefBase* selected = SelectedElement();
    TPaneState state;
    state.canCopy = model() && model()->rowCount() > 0;
    state.canOpen = selected && CanOpen(*selected);
    state.canPrint = model() && model()->rowCount() > 0;
    state.usedBy = selected;
    if (selected)
        state.selectedName = selected->name;
    return state;
}

void TMyListWindow::Copy() const
{
    QApplication::clipboard()->setText(bytes::ToText(WriteText()));
}

void TMyListWindow::OpenSelected()
{
    if (const TDefBase* selected = SelectedElement(); selected && CanOpen(*selected))
        Open(*selected);
}

TMyListWindow::TWidest TMyListWindow::WidestCell(int column, int rows) const
{
    const QFontMetrics metrics(font());
    TWidest widest;
    rows = std::min(rows, model()->rowCount());
    for (int row = 0; row < rows; ++row) {
        const int width = metrics.horizontalAdvance(model()->index(row, column).data().toString());
        if (widest.row < 0 || width > widest.width)
            widest = {width, row};
    }
    return widest;
}

void TMyListWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenSelected();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

std::unique_ptr<TPrintout> TMyListWindow::Printout() const
{
    std::vector<int> widths;
    for (int column = 0; column < header()->count(); ++column)
        widths.push_back(columnWidth(column));
    return std::make_unique<TRowsPrintout>(*model(), std::move(widths), font(), true);
}
