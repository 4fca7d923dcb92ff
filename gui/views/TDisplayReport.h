#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a report: its character layout with the report areas drawn over it in
// the highlight colour. A click selects an area; a double-click or Definition opens its picture.
class TDisplayReport : public TDisplayWindow {
    Q_OBJECT
public:
    using TDisplayWindow::TDisplayWindow;

    // The selected area's picture: null when no area is selected or it has none.
    const TDefBase* SelectedPicture() const { return selectedPicture; }
    void ClearSelection() override;

    // Definition opens the selected area's picture.
    TPaneState State() const override;
    void OpenSelected() override;

protected:
    void Click(QPoint content) override;
    void DoubleClick(QPoint content) override;
    QRect SelectionRect() const override { return selectedArea; }

private:
    // True when an area was hit.
    bool SelectAreaAt(QPoint content);

    QRect selectedArea;
    const TDefBase* selectedPicture = nullptr;
};
