#pragma once

#include "script/FindInScripts.h"

#include <QAbstractTableModel>

#include <vector>

// The hits of Find in Scripts as a table: "Element" (the title), "Line" (its number) and "Text"
// (the line), a row per hit in the core's order. Reads the hits as rows are painted; they must
// outlive the model.
class TFindModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { Element, Line, Text, ColumnCount };

    explicit TFindModel(const std::vector<search::TScriptHit>& hits, QObject* parent = nullptr);

    // The hit of a row; null for a row that is not there.
    const search::TScriptHit* HitAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const std::vector<search::TScriptHit>& hits;
};
