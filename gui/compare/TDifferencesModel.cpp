#include "gui/compare/TDifferencesModel.h"

#include "gui/support/Bytes.h"
#include "views/NameFilter.h"

#include <algorithm>

TDifferencesModel::TDifferencesModel(const compare::TComparison& comparison, QObject* parent)
    : QAbstractTableModel(parent), comparison(comparison)
{
    SetFilter(std::nullopt, {});
}

void TDifferencesModel::SetFilter(std::optional<compare::TStatus> status, const std::string& text)
{
    beginResetModel();
    shown.clear();
    const std::vector<compare::TDifference>& all = comparison.Differences();
    for (size_t i = 0; i < all.size(); ++i)
        if ((!status || all[i].status == *status) &&
            (text.empty() || filter::Holds(comparison.Title(all[i]), text)))
            shown.push_back(i);
    endResetModel();
}

const compare::TDifference* TDifferencesModel::DifferenceAt(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= shown.size())
        return nullptr;
    return &comparison.Differences()[shown[static_cast<size_t>(row)]];
}

int TDifferencesModel::RowOf(size_t difference) const
{
    const auto found = std::lower_bound(shown.begin(), shown.end(), difference);
    if (found == shown.end() || *found != difference)
        return -1;
    return static_cast<int>(found - shown.begin());
}

int TDifferencesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown.size());
}

int TDifferencesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TDifferencesModel::data(const QModelIndex& index, int role) const
{
    const compare::TDifference* d = DifferenceAt(index.row());
    if (role != Qt::DisplayRole || !d || index.column() >= ColumnCount)
        return {};
    if (index.column() == Status)
        return QString::fromLatin1(compare::StatusWord(d->status));
    return bytes::ToText(comparison.Title(*d));
}

QVariant TDifferencesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == Status)
        return QStringLiteral("Status");
    if (section == Title)
        return QStringLiteral("Title");
    return {};
}
