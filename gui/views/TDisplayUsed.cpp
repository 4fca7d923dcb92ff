#include "gui/views/TDisplayUsed.h"

#include "gui/support/TMessageSink.h"
#include "gui/views/TPaneHost.h"
#include "gui/views/TUsedModel.h"
#include "model/TDefBase.h"
#include "views/ListRows.h"

#include <QHeaderView>

#include <algorithm>

TDisplayUsed::TDisplayUsed(TPaneHost& host, const TDefBase& element, QWidget* parent)
    : TMyListWindow(host, parent), element(element), rows(new TUsedModel(element, this))
{
    SetListModel(rows);
    const auto [widest, widestRow] = WidestCell(0, rows->rowCount());
    // Every row keeps room for a mark in front of its text; without it the widest title would be
    // cut short.
    const int markRoom =
        widestRow < 0 ? 0
                      : std::max(0, sizeHintForIndex(rows->index(widestRow, 0)).width() - widest);
    header()->resizeSection(0, std::max(kMinimumWidth, widest) + kWidthMargin + markRoom);
    // The main frame opens the list only for an element that something uses.
    if (rows->rowCount() == 0)
        TMessageSink::Show(parent, {QString(), QStringLiteral("Empty Set")});
}

std::string TDisplayUsed::WriteText() const
{
    return lists::UsedByCopyText(element);
}

const TDefBase* TDisplayUsed::ElementAt(int row) const
{
    return rows->ElementAt(row);
}

bool TDisplayUsed::CanOpen(const TDefBase& user) const
{
    return lists::OpensFromUsedBy(user);
}

void TDisplayUsed::Open(const TDefBase& user)
{
    host.OpenDefinition(user);
}
