#include "gui/views/TLogModel.h"

#include "gui/support/Bytes.h"
#include "model/TMessageLog.h"

TLogModel::TLogModel(const TMessageLog& log, QObject* parent) : QAbstractListModel(parent), log(log)
{
}

int TLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(log.Count());
}

QString TLogModel::Line(int row) const
{
    return bytes::ToText(LineBytes(row));
}

std::string_view TLogModel::LineBytes(int row) const
{
    return log.At(static_cast<size_t>(row));
}

QVariant TLogModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return Line(index.row());
    if (role == Qt::SizeHintRole && rowSize.isValid())
        return rowSize;
    return {};
}

int TLogModel::LongestRow() const
{
    int longest = -1;
    size_t most = 0;
    for (size_t i = 0; i < log.Count(); ++i) {
        if (longest < 0 || log.At(i).size() > most) {
            longest = static_cast<int>(i);
            most = log.At(i).size();
        }
    }
    return longest;
}
