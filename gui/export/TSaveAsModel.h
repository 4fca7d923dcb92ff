#pragma once

#include "export/TSelectionTree.h"
#include "gui/views/TStructModel.h"

#include <iosfwd>
#include <string>

class TDefinedArray;
class TDisplayHost;

// The Save As Text tree's item model: the structure outline with the core's check marks as
// Qt::CheckStateRole. It holds the core's selection and reads it; it keeps no state of its own.
class TSaveAsModel : public TStructModel {
    Q_OBJECT
public:
    // defs: the array the outline was built from; it must outlive the model and stay unchanged.
    // Every node starts unchecked.
    TSaveAsModel(TOutline outline, const TDefinedArray& defs, QObject* parent = nullptr);

    void ApplyQuickSelection(unsigned bits);
    // The core's toggle of the node's check mark and all below it; then Toggled.
    void Toggle(const QModelIndex& index);
    bool AnythingChecked() const { return selection.AnythingChecked(); }
    TCheckState State(const QModelIndex& index) const;
    void WriteChecked(std::ostream& out, const std::string& databaseName, TDisplayHost& host);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A check-state edit (a click on the box, Space, an accessibility toggle) is the core's
    // toggle: the node's own state decides the new one, not the value asked for, so a partly
    // checked node becomes unchecked.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A hand-made change of the node's check mark.
    void Toggled(const QModelIndex& index);

private:
    // Tells the views that the node and everything below it may show another check mark.
    void SubtreeChanged(int node);

    TSelectionTree selection;
};
