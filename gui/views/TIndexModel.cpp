#include "gui/views/TIndexModel.h"

#include "gui/support/Bytes.h"
#include "gui/views/TUsedModel.h"
#include "script/TNameTable.h"
#include "views/ListRows.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
enum TColumn { Name, Class, Owner, ColumnCount };
}

TIndexModel::TIndexModel(const TNameTable& names, QObject* parent)
    : QAbstractTableModel(parent), names(names), marks(TUsedModel::MarkIcons())
{
}

const TDefBase* TIndexModel::ElementAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    const int tableRow = filtered ? tableRows[static_cast<size_t>(row)] : row;
    if (tableRow < 0 || static_cast<size_t>(tableRow) >= names.Count())
        return nullptr;
    return names.Elements()[static_cast<size_t>(tableRow)];
}

int TIndexModel::RowOf(const TDefBase* element) const
{
    if (!element)
        return -1;
    const auto& elements = names.Elements();
    const auto it = std::find(elements.begin(), elements.end(), element);
    if (it == elements.end())
        return -1;
    const auto tableRow = static_cast<int>(it - elements.begin());
    if (!filtered)
        return tableRow;
    const auto shown = std::lower_bound(tableRows.begin(), tableRows.end(), tableRow);
    return shown != tableRows.end() && *shown == tableRow
               ? static_cast<int>(shown - tableRows.begin())
               : -1;
}

void TIndexModel::SetFilter(std::vector<int> rows)
{
    beginResetModel();
    filtered = true;
    tableRows = std::move(rows);
    endResetModel();
}

void TIndexModel::ClearFilter()
{
    beginResetModel();
    filtered = false;
    tableRows.clear();
    endResetModel();
}

int TIndexModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(filtered ? tableRows.size() : names.Count());
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
    case Qt::AccessibleDescriptionRole:
        if (index.column() != Name)
            return {};
        return bytes::ToText(lists::MarkText(row.mark));
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
