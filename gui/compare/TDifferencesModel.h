#pragma once

#include "compare/Comparison.h"

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <vector>

// The units that differ as a table: "Status" and "Title", a row per difference in the
// comparison's order, or those of one status whose title holds the filter text. Rows are an index
// vector over the comparison's differences, which must outlive the model.
class TDifferencesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { Status, Title, ColumnCount };

    explicit TDifferencesModel(const compare::TComparison& comparison, QObject* parent = nullptr);

    // No status: every status. The title holds the text as the filter boxes match names.
    void SetFilter(std::optional<compare::TStatus> status, const std::string& text);
    // The difference of a row; null for a row that is not there.
    const compare::TDifference* DifferenceAt(int row) const;
    // The row of a difference (its index in Differences()); -1 when the filter hides it.
    int RowOf(size_t difference) const;
    size_t DifferenceIndex(int row) const { return shown[static_cast<size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const compare::TComparison& comparison;
    std::vector<size_t> shown; // indexes into Differences(), ascending
};
