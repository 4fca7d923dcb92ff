#pragma once

#include "export/TOutline.h"
#include "views/NameFilter.h"

#include <QAbstractItemModel>

#include <optional>
#include <vector>

// The structure outline as a one-column item model: the outline's root is the only top-level
// row; a node's children are its rows, or under a filter the children the core's filter keeps.
// Reads the outline it holds, makes no item of its own.
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
    // Invalid for a node that the filter hides.
    QModelIndex IndexOf(int node) const;

    // Shows only the nodes kept; resets the model.
    void SetFilter(filter::TKeptNodes nodes);
    void ClearFilter();
    // The nodes the filter keeps; null while there is no filter.
    const filter::TKeptNodes* Kept() const { return kept ? &*kept : nullptr; }
    // The leaves of these elements, and the books that hold them, show in bold.
    void SetMarked(const std::vector<int>& elements);
    bool IsMarked(int node) const { return !marked.empty() && marked[static_cast<size_t>(node)]; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TOutline outline;
    std::optional<filter::TKeptNodes> kept;
    std::vector<bool> marked; // by node; empty when none is
};
