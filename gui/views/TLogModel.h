#pragma once

#include <QAbstractListModel>
#include <QSize>

#include <string_view>

class TMessageLog;

// The lines of a messages log as a list model: each line is converted when a view asks for it,
// so a log of a million lines costs the view nothing per line. The log must outlive the model
// and not change meanwhile (a load closes every window before it restarts the log).
class TLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TLogModel(const TMessageLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The row that holds the most bytes (the widest in a fixed-pitch font); -1 when empty.
    int LongestRow() const;
    // The size every row reports, so that a view with uniform item sizes is as wide as the
    // widest line instead of the last.
    void SetRowSize(QSize size) { rowSize = size; }
    QString Line(int row) const;
    // The line as the log holds it.
    std::string_view LineBytes(int row) const;

private:
    const TMessageLog& log;
    QSize rowSize;
};
