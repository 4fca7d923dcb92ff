#pragma once

#include "views/ListRows.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

class TDefBase;

// The used-by list of one element as a one-column table ("Name"): a row per element of its
// used-by set, in set order, with the user's display name and its mark as the icon. Reads the set
// as rows are painted. The element must outlive the model and its set stay unchanged.
class TUsedModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TUsedModel(const TDefBase& element, QObject* parent = nullptr);

    // The picture of a row's mark in both lists. An unmarked row gets a blank one, which keeps the
    // mark's room, so that every name starts in one column.
    static QIcon MarkIcon(lists::TMark mark);
    // MarkIcon of every mark, by its value.
    static std::array<QIcon, 3> MarkIcons();

    const TDefBase& Element() const { return element; }
    // The user of a row; null for a row that is not there.
    const TDefBase* ElementAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const TDefBase& element;
    std::array<QIcon, 3> marks;
};
