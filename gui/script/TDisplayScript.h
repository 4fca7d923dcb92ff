#pragma once

#include <QFont>
#include <QRect>

class QPainter;
class TDispColour;
struct TPaneLayout;

// Draws what the core laid out for a pane: plain texts in the text colour, script pieces in the
// colour of their kind (underlined when their element has a definition), report areas in the
// highlight colour. Only the texts that meet the exposed rectangle are drawn, so a script of
// 100,000 lines paints as fast as one of 100.
class TDisplayScript {
public:
    TDisplayScript(const QFont& textFont, int lineHeight);

    // exposed: the rectangle to paint, in content coordinates (the painter is translated).
    void Paint(QPainter& painter, const TPaneLayout& layout, const TDispColour& colours,
               const QRect& exposed) const;

    // Colour references keep red in the low byte (0x00BBGGRR).
    static QColor Colour(unsigned colourRef);
    static unsigned ColourRef(const QColor& colour);

private:
    QFont textFont;
    QFont linkFont;
    QFont symbolFont;
    int lineHeight;
};
