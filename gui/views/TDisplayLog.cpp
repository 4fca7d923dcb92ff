#include "gui/views/TDisplayLog.h"

#include "gui/print/TRowsPrintout.h"
#include "gui/views/TLogModel.h"
#include "model/MessageLinks.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>
#include <utility>
#include <vector>

TDisplayLog::TDisplayLog(const TMessageLog& log, const QFont& font, const TDefinedArray* defs,
                         QWidget* parent)
    : QListView(parent), lines(new TLogModel(log, this)), defs(defs)
{
    SetTextFont(font);
    setUniformItemSizes(true);
    setModel(lines);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { OpenSelected(); });
}

void TDisplayLog::SetTextFont(const QFont& font)
{
    setFont(font);
    // A fixed-pitch font makes the line of the most bytes the widest; uniform sizes keep the view
    // from asking every row for its size.
    const QFontMetrics metrics(font);
    const int longest = lines->LongestRow();
    const int width = longest < 0 ? 0 : metrics.horizontalAdvance(lines->Line(longest));
    lines->SetRowSize(QSize(width + 2 * metrics.averageCharWidth(), metrics.lineSpacing()));
}

const TDefBase* TDisplayLog::CurrentElement() const
{
    const QModelIndex current = currentIndex();
    if (!defs || !current.isValid())
        return nullptr;
    if (current.row() != linkedRow) {
        linked = messages::ElementNamedBy(lines->LineBytes(current.row()), *defs);
        linkedRow = current.row();
    }
    return linked;
}

bool TDisplayLog::HasSelection() const
{
    return selectionModel()->hasSelection();
}

QString TDisplayLog::SelectedText() const
{
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    QStringList text;
    int next = 0; // ranges may overlap: each row once
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row)
            text.append(lines->Line(row));
        next = std::max(next, bottom + 1);
    }
    return text.join(QLatin1Char('\n'));
}

void TDisplayLog::Copy() const
{
    if (HasSelection())
        QApplication::clipboard()->setText(SelectedText());
}

TPaneState TDisplayLog::State() const
{
    TPaneState state;
    state.canCopy = HasSelection();
    state.canOpen = CurrentElement() != nullptr;
    state.canPrint = lines->rowCount() > 0;
    return state;
}

void TDisplayLog::OpenSelected()
{
    if (const TDefBase* element = CurrentElement())
        Q_EMIT OpenRequested(*element);
}

void TDisplayLog::keyPressEvent(QKeyEvent* event)
{
    // The view's own copy takes the current line alone.
    if (event == QKeySequence::Copy) {
        Copy();
        event->accept();
        return;
    }
    // Enter reaches the pane when the menu's shortcut does not take it (a line naming nothing).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenSelected();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

std::unique_ptr<TPrintout> TDisplayLog::Printout() const
{
    return std::make_unique<TRowsPrintout>(*lines, std::vector<int>{width()}, font(), false);
}
