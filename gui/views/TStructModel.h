#pragma once

#include "export/TOutline.h"

#include <QAbstractItemModel>

// The structure outline as a one-column item model: the outline's root is the only top-level
// row; a node's children are its rows. Reads the outline it holds, makes no item of its own.
class TStructModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        // The element's index in the definition array; none for a node that stands for none.
        ElementRole = Qt::UserRole + 1,
        // True for a book (open or closed), false for a page.
        BookRole,
    };

    explicit TStructModel(TOutline outline, QObject* parent = nullptr);

    const TOutline& Outline() const { return outline; }
    int NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(int node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TOutline outline;
};
