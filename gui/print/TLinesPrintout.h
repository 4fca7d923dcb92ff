#pragma once

#include "gui/print/TPrintout.h"

#include <QFont>
#include <QRect>

class TDispColour;
struct TPaneLayout;

// A definition pane on paper: its layout drawn as the pane draws it (scripts in colour, the
// fixed font), cut into pages at line boundaries. A layout wider than the page is scaled down,
// to half size at most; what is wider still is cut at the right edge.
class TLinesPrintout : public TPrintout {
public:
    TLinesPrintout(const TPaneLayout& layout, const TDispColour& colours, const QFont& font,
                   int lineHeight, int charWidth);

    int Paginate(QSizeF body) override;
    void PaintPage(QPainter& painter, int page) const override;

    // The part of the layout a page shows, in content coordinates: whole lines.
    QRect PageArea(int page) const;

private:
    const TPaneLayout& layout;
    const TDispColour& colours;
    QFont font;
    int lineHeight;
    int charWidth;
    double scale = 1;
    int linesPerPage = 1;
    int width = 0;
};
