#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <vector>

class TDefBase;
class TNameTable;

// The index of elements as a table: one row per element of the name table, in its order, with
// the columns "Name", "Class" and "Owner", and the row's mark as the first cell's icon. Reads the
// name table as rows are painted, so a design of 100,000 names opens at once. A filter leaves
// some of the table's rows, still in its order. The name table must outlive the model and stay
// unchanged while it lives.
class TIndexModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TIndexModel(const TNameTable& names, QObject* parent = nullptr);

    // The element of a row; null for a row that is not there.
    const TDefBase* ElementAt(int row) const;
    // The element's row; -1 when it has none (lists, tables and reports are not in the table, and
    // the filter may leave it out).
    int RowOf(const TDefBase* element) const;

    // Shows only these rows of the name table (ascending, as the core's filter gives them).
    void SetFilter(std::vector<int> tableRows);
    void ClearFilter();
    bool Filtered() const { return filtered; }
    // The rows of the name table that the view shows, when Filtered().
    const std::vector<int>& TableRows() const { return tableRows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const TNameTable& names;
    std::array<QIcon, 3> marks;
    bool filtered = false;
    std::vector<int> tableRows;
};
