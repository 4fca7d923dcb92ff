#include "gui/script/TDisplayScript.h"

#include "gui/support/Bytes.h"
#include "model/TScriptPiece.h"
#include "script/TDispColour.h"
#include "views/TPaneLayout.h"

#include <QFontMetrics>
#include <QPainter>

TDisplayScript::TDisplayScript(const QFont& textFont, int lineHeight)
    : textFont(textFont), linkFont(textFont), symbolFont(textFont), lineHeight(lineHeight)
{
    linkFont.setUnderline(true);
    // A control character drawn as a glyph: the fixed font's own shape for it, normal weight.
    symbolFont.setWeight(QFont::Normal);
}

QColor TDisplayScript::Colour(unsigned colourRef)
{
    return QColor(static_cast<int>(colourRef & 0xff), static_cast<int>((colourRef >> 8) & 0xff),
                  static_cast<int>((colourRef >> 16) & 0xff));
}

unsigned TDisplayScript::ColourRef(const QColor& colour)
{
    return static_cast<unsigned>(colour.red()) | static_cast<unsigned>(colour.green()) << 8 |
           static_cast<unsigned>(colour.blue()) << 16;
}

void TDisplayScript::Paint(QPainter& painter, const TPaneLayout& layout, const TDispColour& colours,
                           const QRect& exposed) const
{
    const QColor text = painter.pen().color();
    const int ascent = QFontMetrics(textFont).ascent();
    for (size_t i = panes::FirstTextFrom(layout, exposed.top(), lineHeight);
         i < layout.texts.size(); ++i) {
        const TPaneText& t = layout.texts[i];
        if (t.y > exposed.bottom())
            break;
        switch (t.style) {
        case TPaneText::Plain:
            painter.setPen(text);
            painter.setFont(textFont);
            break;
        case TPaneText::Piece:
            painter.setPen(Colour(colours.PieceColour(*t.piece)));
            painter.setFont(t.piece->flags & TScriptPiece::kUnderlined ? linkFont : textFont);
            break;
        case TPaneText::Highlight:
            painter.setPen(Colour(colours.PieceColour(TDispColour::kHighlightKind, 0, 0)));
            painter.setFont(textFont);
            break;
        case TPaneText::Symbol:
            painter.setPen(text);
            painter.setFont(symbolFont);
            break;
        }
        painter.drawText(t.x, t.y + ascent, bytes::ToText(t.text, t.utf8));
    }
    painter.setPen(text);
    painter.setFont(textFont);
}
