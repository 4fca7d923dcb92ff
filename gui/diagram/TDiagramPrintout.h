#pragma once

#include "gui/print/TPrintout.h"

#include <QRect>

class TDisplayBrowser;

// The relationships diagram on paper, at 100 % whatever the window's zoom: scaled to fit one
// page, or tiled over as many pages as it needs, left to right, then top to bottom.
class TDiagramPrintout : public TPrintout {
public:
    enum TLayout { FitPage, Tiled };

    explicit TDiagramPrintout(const TDisplayBrowser& diagram);

    int Paginate(QSizeF body) override;
    void PaintPage(QPainter& painter, int page) const override;
    QStringList Layouts() const override;
    void SetLayout(int chosen) override;

private:
    const TDisplayBrowser& diagram;
    TLayout layout = FitPage;
    QSizeF body;
    int columns = 1;
};
