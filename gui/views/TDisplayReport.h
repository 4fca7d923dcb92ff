#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a report: its character layout with the report areas drawn over it in
// the highlight colour. A click selects an area; a double-click or Definition opens its picture.
class TDisplayReport : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayReport(TPaneHost& host, TDefBase& def);

    // The selected area's picture: null when no area is selected or it has none.
    TDefBase* SelectedPicture() const { return selectedPicture; }
    void ClearSelection() override;

    bool Enabled(TCommand command) const override;
    void Run(TCommand command) override;

protected:
    void Click(QPoint content) override;
    void DoubleClick(QPoint content) override;
    QRect SelectionRect() const override { return selectedArea; }

private:
    // True when an area was hit.
    bool SelectAreaAt(QPoint content);

    QRect selectedArea;
    TDefBase* selectedPicture = nullptr;
};
