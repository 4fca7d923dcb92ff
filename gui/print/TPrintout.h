#pragma once

#include <QSizeF>
#include <QStringList>

class QPainter;

// What a pane puts on paper: pages of a body under the header that printing::Render draws.
// Units are the screen's pixels (96 to the inch), so a pane draws as it does on screen; the
// printer's painter is scaled to them. A printout reads its pane, which outlives it.
class TPrintout {
public:
    virtual ~TPrintout() = default;

    // Lays the pages out for a body of this size; returns how many there are (at least one).
    virtual int Paginate(QSizeF body) = 0;
    // Draws page (from 0) of the last Paginate; the body's top left is the origin and the
    // painter is clipped to it.
    virtual void PaintPage(QPainter& painter, int page) const = 0;
    // The ways the pages can be laid out, for the person to choose from; empty when there is one.
    virtual QStringList Layouts() const { return {}; }
    virtual void SetLayout(int /*layout*/) {}
};
