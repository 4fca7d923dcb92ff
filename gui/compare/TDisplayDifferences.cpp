#include "gui/compare/TDisplayDifferences.h"

#include "gui/compare/TDifferencesModel.h"
#include "gui/compare/TSideBySideView.h"
#include "gui/support/Bytes.h"
#include "gui/views/TDocument.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TPaneHost.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace {

using compare::TStatus;

QString CountsText(const compare::TComparison& comparison)
{
    return QStringLiteral("%1 changed, %2 added, %3 removed")
        .arg(comparison.Count(TStatus::Changed))
        .arg(comparison.Count(TStatus::Added))
        .arg(comparison.Count(TStatus::Removed));
}

} // namespace

TDisplayDifferences::TDisplayDifferences(TPaneHost& host, std::unique_ptr<TDatabase> other,
                                         std::unique_ptr<compare::TComparison> comparison,
                                         QWidget* parent)
    : QWidget(parent), host(host), other(std::move(other)), comparison(std::move(comparison)),
      rows(new TDifferencesModel(*this->comparison, this)),
      counts(new QLabel(CountsText(*this->comparison))), status(new QComboBox),
      filterBox(new TFilterBox(tr("Filter titles"))), list(new QTreeView),
      sideBySide(new TSideBySideView(host.Document().font))
{
    status->addItem(QStringLiteral("All"));
    status->addItem(QStringLiteral("Changed"));
    status->addItem(QStringLiteral("Added"));
    status->addItem(QStringLiteral("Removed"));

    auto* top = new QHBoxLayout;
    top->addWidget(counts, 1);
    top->addWidget(status);
    top->addWidget(filterBox, 1);

    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    // The view never asks each of 10,000 rows for its height.
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(rows);
    list->header()->setStretchLastSection(true);
    list->header()->resizeSection(TDifferencesModel::Status,
                                  list->fontMetrics().horizontalAdvance(QStringLiteral("removed")) +
                                      4 * list->fontMetrics().averageCharWidth());
    list->installEventFilter(this);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(list);
    split->addWidget(sideBySide);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(split, 1);

    connect(status, &QComboBox::currentIndexChanged, this, &TDisplayDifferences::ApplyFilter);
    connect(filterBox, &QLineEdit::textChanged, this, &TDisplayDifferences::ApplyFilter);
    connect(filterBox, &TFilterBox::ListWanted, this, [this] {
        if (!list->currentIndex().isValid() && rows->rowCount() > 0)
            SelectRow(0);
        list->setFocus(Qt::OtherFocusReason);
    });
    connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TDisplayDifferences::ShowCurrent);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { this->host.SelectionChanged(); });
    connect(list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            OpenSelected();
    });
    if (rows->rowCount() > 0)
        SelectRow(0);
    setFocusProxy(list);
}

TDisplayDifferences::~TDisplayDifferences()
{
    // The views and the model read the comparison, which goes before the widget's children.
    delete list;
    delete sideBySide;
    delete rows;
}

const compare::TDifference* TDisplayDifferences::Current() const
{
    const QModelIndex current = list->currentIndex();
    return current.isValid() ? rows->DifferenceAt(current.row()) : nullptr;
}

void TDisplayDifferences::SelectRow(int row)
{
    const QModelIndex index = rows->index(row, 0);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    list->scrollTo(index);
}

void TDisplayDifferences::ApplyFilter()
{
    const int chosen = status->currentIndex();
    const std::optional<TStatus> only =
        chosen > 0 ? std::optional<TStatus>(kFiltered[chosen - 1]) : std::nullopt;
    const int before = list->currentIndex().row();
    const size_t kept = before >= 0 ? rows->DifferenceIndex(before) : compare::TDifference::kNone;
    rows->SetFilter(only, filterBox->Bytes());
    // The unit shown stays when the filter keeps it; otherwise the first row comes up.
    const int row = kept == compare::TDifference::kNone ? -1 : rows->RowOf(kept);
    if (row >= 0 || rows->rowCount() > 0)
        SelectRow(std::max(row, 0));
    else
        ShowCurrent();
    host.SelectionChanged();
}

void TDisplayDifferences::ShowCurrent()
{
    const compare::TDifference* d = Current();
    if (d)
        sideBySide->Show(comparison->OldText(*d), comparison->NewText(*d));
    else
        sideBySide->Show({}, {});
}

std::string TDisplayDifferences::UnifiedText() const
{
    std::vector<int> selected;
    for (const QModelIndex& index : list->selectionModel()->selectedRows())
        selected.push_back(index.row());
    std::sort(selected.begin(), selected.end());
    std::ostringstream text;
    for (int row : selected)
        compare::WriteUnified(text, *comparison, *rows->DifferenceAt(row));
    return text.str();
}

TPaneState TDisplayDifferences::State() const
{
    TPaneState state;
    state.canCopy = list->selectionModel()->hasSelection();
    const compare::TDifference* d = Current();
    state.canOpen = d != nullptr;
    state.filter = filterBox;
    state.differences = true;
    if (const TDefBase* element = d ? comparison->NewElement(*d) : nullptr) {
        state.located = element;
        if (element->kind == kinds::Picture)
            state.diagramElement = element;
        if (kinds::IsPictureKind(element->kind))
            state.focusPicture = element;
        state.selectedName = element->name;
    }
    return state;
}

void TDisplayDifferences::Copy() const
{
    QApplication::clipboard()->setText(bytes::ToText(UnifiedText()));
}

void TDisplayDifferences::OpenSelected()
{
    const compare::TDifference* d = Current();
    if (!d)
        return;
    if (const TDefBase* element = comparison->NewElement(*d))
        host.OpenDefinition(*element);
    else
        host.ShowStatus(QStringLiteral("%1 exists only in the other design.")
                            .arg(bytes::ToText(comparison->Title(*d))));
}

void TDisplayDifferences::StepChange(bool forward)
{
    if (sideBySide->StepChange(forward))
        return;
    const int row = list->currentIndex().row() + (forward ? 1 : -1);
    if (row < 0 || row >= rows->rowCount())
        return;
    SelectRow(row);
    sideBySide->StepChange(forward);
}

bool TDisplayDifferences::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
