#include "views/TIndexModel.h"

#include "script/TNameTable.h"
#include "support/Bytes.h"
#include "views/ListRows.h"
#include "views/TUsedModel.h"

#include <algorithm>
#include <array>

namespace {
enum TColumn { Name, Class, Owner, ColumnCount };
}

TIndexModel::TIndexModel(const TNameTable& names, QObject* parent)
    : QAbstractTableModel(parent), names(names), marks(TUsedModel::MarkIcons())
{
}

TDefBase* TIndexModel::ElementAt(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= names.Count())
        return nullptr;
    return names.Elements()[static_cast<size_t>(row)];
}

int TIndexModel::RowOf(const TDefBase* element) const
{
    if (!element)
        return -1;
    const auto& elements = names.Elements();
    const auto it = std::find(elements.begin(), elements.end(), element);
    return it == elements.end() ? -1 : static_cast<int>(it - elements.begin());
}

int TIndexModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names.Count());
}

int TIndexModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TIndexModel::data(const QModelIndex& index, int role) const
{
    const TDefBase* element = index.isValid() ? ElementAt(index.row()) : nullptr;
    if (!element)
        return {};
    const lists::TIndexRow row = lists::IndexRow(*element);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Name:
            return bytes::ToText(row.name);
        case Class:
            return bytes::ToText(row.className);
        case Owner:
            return bytes::ToText(row.owner);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() != Name)
            return {};
        return marks[static_cast<size_t>(row.mark)];
    default:
        return {};
    }
}

QVariant TIndexModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<const char*, ColumnCount> kTitles = {"Name", "Class", "Owner"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kTitles[static_cast<size_t>(section)]);
}
