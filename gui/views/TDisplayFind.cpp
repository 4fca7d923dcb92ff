#include "gui/views/TDisplayFind.h"

#include "gui/views/TFindModel.h"
#include "gui/views/TPaneHost.h"
#include "model/TDefPicture.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

TDisplayFind::TDisplayFind(TPaneHost& host, std::string text, std::vector<search::TScriptHit> hits,
                           QWidget* parent)
    : TMyListWindow(host, parent), text(std::move(text)), hits(std::move(hits)),
      rows(new TFindModel(this->hits, this))
{
    SetListModel(rows);
    const QFontMetrics metrics(font());
    const int title = WidestCell(TFindModel::Element, kMeasuredRows).width;
    const int line = WidestCell(TFindModel::Line, kMeasuredRows).width;
    const int margin = 2 * metrics.averageCharWidth();
    header()->resizeSection(TFindModel::Element, std::min(title, kMaximumTitleWidth) + margin);
    header()->resizeSection(TFindModel::Line,
                            std::max(line, metrics.horizontalAdvance(QStringLiteral("Line"))) +
                                margin);
    header()->resizeSection(TFindModel::Text, kTextWidth);
    if (rows->rowCount() > 0)
        selectionModel()->setCurrentIndex(rows->index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
}

std::string TDisplayFind::WriteText() const
{
    return search::HitsText(hits);
}

TPaneState TDisplayFind::State() const
{
    TPaneState state = TMyListWindow::State();
    state.selectedName = text;
    return state;
}

const TDefBase* TDisplayFind::ElementAt(int row) const
{
    const search::TScriptHit* hit = rows->HitAt(row);
    return hit ? hit->element : nullptr;
}

bool TDisplayFind::CanOpen(const TDefBase&) const
{
    return true;
}

void TDisplayFind::Open(const TDefBase&)
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    const search::TScriptHit* hit =
        selected.isEmpty() ? nullptr : rows->HitAt(selected.front().row());
    if (hit)
        host.ShowInScript(*hit->element, hit->line, hit->offset, hit->length);
}
