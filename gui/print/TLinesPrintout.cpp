#include "gui/print/TLinesPrintout.h"

#include "gui/script/TDisplayScript.h"
#include "views/TPaneLayout.h"

#include <QFontInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSmallest = 0.5;
}

TLinesPrintout::TLinesPrintout(const TPaneLayout& layout, const TDispColour& colours,
                               const QFont& font, int lineHeight, int charWidth)
    : layout(layout), colours(colours), font(font), lineHeight(std::max(1, lineHeight)),
      charWidth(charWidth)
{
    // A size in points would grow with the printer's resolution under the scaled painter.
    this->font.setPixelSize(QFontInfo(font).pixelSize());
}

int TLinesPrintout::Paginate(QSizeF body)
{
    // The pane's left margin is one character; the right one the same.
    const int extent = layout.width + charWidth;
    scale = extent > body.width() ? std::max(kSmallest, body.width() / extent) : 1.0;
    width = static_cast<int>(body.width() / scale);
    linesPerPage = std::max(1, static_cast<int>(body.height() / scale) / lineHeight);
    const int lines = (layout.height + lineHeight - 1) / lineHeight;
    return std::max(1, (lines + linesPerPage - 1) / linesPerPage);
}

QRect TLinesPrintout::PageArea(int page) const
{
    return QRect(0, page * linesPerPage * lineHeight, width, linesPerPage * lineHeight);
}

void TLinesPrintout::PaintPage(QPainter& painter, int page) const
{
    const QRect area = PageArea(page);
    painter.scale(scale, scale);
    painter.translate(0, -area.top());
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(Qt::black);
    TDisplayScript(font, lineHeight, charWidth).Paint(painter, layout, colours, area);
}
