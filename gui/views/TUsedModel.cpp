#include "gui/views/TUsedModel.h"

#include "gui/support/Bytes.h"
#include "gui/support/TIconSet.h"
#include "model/TDefBase.h"
#include "model/TUsedSet.h"

#include <QPixmap>

TUsedModel::TUsedModel(const TDefBase& element, QObject* parent)
    : QAbstractTableModel(parent), element(element), marks(MarkIcons())
{
}

QIcon TUsedModel::MarkIcon(lists::TMark mark)
{
    switch (mark) {
    case lists::TMark::Page:
        return TIconSet::Icon(TIconSet::Page);
    case lists::TMark::Info:
        return TIconSet::Icon(TIconSet::Info);
    case lists::TMark::None:
        break;
    }
    QPixmap blank(TIconSet::DesignSize(TIconSet::Info));
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

std::array<QIcon, 3> TUsedModel::MarkIcons()
{
    return {MarkIcon(lists::TMark::None), MarkIcon(lists::TMark::Page),
            MarkIcon(lists::TMark::Info)};
}

const TDefBase* TUsedModel::ElementAt(int row) const
{
    if (!element.users || row < 0 || static_cast<size_t>(row) >= element.users->size())
        return nullptr;
    return (*element.users)[static_cast<size_t>(row)];
}

int TUsedModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !element.users)
        return 0;
    return static_cast<int>(element.users->size());
}

int TUsedModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant TUsedModel::data(const QModelIndex& index, int role) const
{
    const TDefBase* user =
        index.isValid() && index.column() == 0 ? ElementAt(index.row()) : nullptr;
    if (!user)
        return {};
    const lists::TUsedRow row = lists::UsedRow(*user);
    switch (role) {
    case Qt::DisplayRole:
        return bytes::ToText(row.text);
    case Qt::DecorationRole:
        return marks[static_cast<size_t>(row.mark)];
    case Qt::AccessibleDescriptionRole:
        return bytes::ToText(lists::MarkText(row.mark));
    default:
        return {};
    }
}

QVariant TUsedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section != 0)
        return {};
    return QStringLiteral("Name");
}
