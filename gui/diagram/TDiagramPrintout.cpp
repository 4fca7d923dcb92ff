#include "gui/diagram/TDiagramPrintout.h"

#include "gui/diagram/TDisplayBrowser.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TDiagramPrintout::TDiagramPrintout(const TDisplayBrowser& diagram) : diagram(diagram) {}

QStringList TDiagramPrintout::Layouts() const
{
    return {QStringLiteral("Scaled to fit one page"), QStringLiteral("Tiled at 100 %")};
}

void TDiagramPrintout::SetLayout(int chosen)
{
    layout = chosen == Tiled ? Tiled : FitPage;
}

int TDiagramPrintout::Paginate(QSizeF size)
{
    body = size;
    columns = 1;
    if (layout == FitPage)
        return 1;
    // The diagram's geometry is at the window's zoom; on paper it is at 100 %.
    const QSizeF whole = QSizeF(diagram.DiagramRect().size()) * 100.0 / diagram.Zoom();
    columns = std::max(1, static_cast<int>(std::ceil(whole.width() / body.width())));
    const int rows = std::max(1, static_cast<int>(std::ceil(whole.height() / body.height())));
    return columns * rows;
}

void TDiagramPrintout::PaintPage(QPainter& painter, int page) const
{
    const QRect whole = diagram.DiagramRect();
    if (whole.isEmpty())
        return;
    double scale = 100.0 / diagram.Zoom();
    QPointF corner(page % columns * body.width(), page / columns * body.height());
    if (layout == FitPage) {
        scale =
            std::min({1.0 * scale, body.width() / whole.width(), body.height() / whole.height()});
        corner = {};
    }
    painter.translate(-corner);
    painter.scale(scale, scale);
    painter.translate(-whole.topLeft());
    const QRectF shown = QRectF(corner / scale, body / scale).translated(whole.topLeft());
    diagram.Paint(painter, shown.toAlignedRect().intersected(whole));
}
