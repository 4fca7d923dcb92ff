#include "gui/views/TDisplayUsed.h"

#include "gui/views/TPaneHost.h"
#include "gui/views/TUsedModel.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "views/ListRows.h"

#include <QHeaderView>
#include <QMessageBox>

#include <algorithm>

TDisplayUsed::TDisplayUsed(TPaneHost& host, TDefBase& element, QWidget* parent)
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
        QMessageBox(QMessageBox::NoIcon, QString(), QStringLiteral("Empty Set"), QMessageBox::Ok,
                    parent)
            .exec();
}

std::string TDisplayUsed::WriteText() const
{
    return lists::UsedByCopyText(element);
}

TDefBase* TDisplayUsed::ElementAt(int row) const
{
    return rows->ElementAt(row);
}

bool TDisplayUsed::CanOpen(const TDefBase& user) const
{
    return user.kind != kinds::BuiltIn;
}

void TDisplayUsed::Open(TDefBase& user)
{
    host.OpenDefinition(user.kind == kinds::Field && user.owner ? *user.owner : user);
}
