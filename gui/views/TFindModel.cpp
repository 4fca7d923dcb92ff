#include "gui/views/TFindModel.h"

#include "gui/support/Bytes.h"
#include "model/TDefPicture.h"

#include <limits>

TFindModel::TFindModel(const std::vector<search::TScriptHit>& hits, QObject* parent)
    : QAbstractTableModel(parent), hits(hits)
{
}

const search::TScriptHit* TFindModel::HitAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return &hits[static_cast<size_t>(row)];
}

int TFindModel::rowCount(const QModelIndex& parent) const
{
    // A view counts rows in an int; hits past that are not shown (Copy still has them all).
    if (parent.isValid())
        return 0;
    return static_cast<int>(std::min<size_t>(hits.size(), std::numeric_limits<int>::max()));
}

int TFindModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TFindModel::data(const QModelIndex& index, int role) const
{
    const search::TScriptHit* hit = index.isValid() ? HitAt(index.row()) : nullptr;
    if (!hit)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Line)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Element:
        return bytes::ToText(hit->element->Title());
    case Line:
        return QString::number(hit->line);
    case Text:
        return bytes::ToText(hit->text);
    default:
        return {};
    }
}

QVariant TFindModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Element:
        return QStringLiteral("Element");
    case Line:
        return QStringLiteral("Line");
    case Text:
        return QStringLiteral("Text");
    default:
        return {};
    }
}
