#pragma once

#include <QFont>
#include <QRawFont>
#include <QRect>

class QPainter;
class TDispColour;
struct TPaneLayout;

// Draws what the core laid out for a pane: plain texts in the text colour, script pieces in the
// colour of their kind (underlined when their element has a definition), report areas in the
// highlight colour. Every character sits in its own cell of the layout's grid, whatever the
// font's own advance, so selections, hit tests and areas match the ink. Only the texts and
// characters that meet the exposed rectangle are drawn, so a script of 100,000 lines paints as
// fast as one of 100.
class TDisplayScript {
public:
    TDisplayScript(const QFont& textFont, int lineHeight, int charWidth);

    // exposed: the rectangle to paint, in content coordinates (the painter is translated).
    void Paint(QPainter& painter, const TPaneLayout& layout, const TDispColour& colours,
               const QRect& exposed) const;

    // Colour references keep red in the low byte (0x00BBGGRR).
    static QColor Colour(unsigned colourRef);
    static unsigned ColourRef(const QColor& colour);

private:
    // Draws the characters of text (a surrogate pair is one) one a cell from x on the baseline,
    // those whose cells lie near [left, right].
    void DrawOnGrid(QPainter& painter, const QRawFont& raw, int x, int baseline,
                    const QString& text, int left, int right) const;

    QFont textFont;
    QFont symbolFont;
    QRawFont textRaw;
    QRawFont symbolRaw;
    int lineHeight;
    int charWidth;
    int ascent;
    int underlineTop;
    int underlineHeight;
};
