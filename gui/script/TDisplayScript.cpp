#include "gui/script/TDisplayScript.h"

#include "gui/support/Bytes.h"
#include "model/TScriptPiece.h"
#include "script/TDispColour.h"
#include "views/TPaneLayout.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {
// The units of the character at i: a surrogate pair is one character.
qsizetype CharacterLength(const QString& text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}
} // namespace

TDisplayScript::TDisplayScript(const QFont& textFont, int lineHeight, int charWidth)
    : textFont(textFont), symbolFont(textFont), lineHeight(lineHeight),
      charWidth(std::max(1, charWidth))
{
    // A control character drawn as a glyph: the fixed font's own shape for it, normal weight.
    symbolFont.setWeight(QFont::Normal);
    textRaw = QRawFont::fromFont(textFont);
    symbolRaw = QRawFont::fromFont(symbolFont);
    const QFontMetrics metrics(textFont);
    ascent = metrics.ascent();
    // Drawn by hand across the cells: the font's own underline would follow its advance.
    underlineTop = ascent + metrics.underlinePos();
    underlineHeight = std::max(1, metrics.lineWidth());
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

void TDisplayScript::DrawOnGrid(QPainter& painter, const QRawFont& raw, int x, int baseline,
                                const QString& text, int left, int right) const
{
    // A glyph may reach a little past its cell, so the cells beside the area are drawn too.
    const int64_t from = int64_t{left} - 2 * charWidth, to = int64_t{right} + charWidth;
    QString shown;
    QList<QPointF> cells;
    int64_t cell = x;
    for (qsizetype i = 0; i < text.size() && cell <= to; cell += charWidth) {
        const qsizetype length = CharacterLength(text, i);
        if (cell >= from) {
            shown.append(QStringView(text).mid(i, length));
            cells.append(QPointF(static_cast<qreal>(cell), baseline));
        }
        i += length;
    }
    if (cells.isEmpty())
        return;
    // One run of glyphs when the font has every one; otherwise a character at a time, so that a
    // character the font lacks is drawn in one that has it.
    const QList<quint32> glyphs =
        raw.isValid() ? raw.glyphIndexesForString(shown) : QList<quint32>();
    if (glyphs.size() == cells.size() && !glyphs.contains(0)) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(cells);
        painter.drawGlyphRun(QPointF(0, 0), run);
        return;
    }
    qsizetype i = 0;
    for (const QPointF& at : cells) {
        const qsizetype length = CharacterLength(shown, i);
        if (shown[i] != QLatin1Char(' '))
            painter.drawText(at, shown.mid(i, length));
        i += length;
    }
}

void TDisplayScript::Paint(QPainter& painter, const TPaneLayout& layout, const TDispColour& colours,
                           const QRect& exposed) const
{
    const QColor text = painter.pen().color();
    painter.setFont(textFont);
    for (size_t i = panes::FirstTextFrom(layout, exposed.top(), lineHeight);
         i < layout.texts.size(); ++i) {
        const TPaneText& t = layout.texts[i];
        if (t.y > exposed.bottom())
            break;
        QColor colour = text;
        bool underlined = false;
        switch (t.style) {
        case TPaneText::Plain:
            break;
        case TPaneText::Piece:
            colour = Colour(colours.PieceColour(*t.piece));
            underlined = (t.piece->flags & TScriptPiece::kUnderlined) != 0;
            break;
        case TPaneText::Highlight:
            colour = Colour(colours.PieceColour(TDispColour::kHighlightKind, 0, 0));
            break;
        case TPaneText::Symbol:
            painter.setFont(symbolFont);
            break;
        }
        painter.setPen(colour);
        DrawOnGrid(painter, t.style == TPaneText::Symbol ? symbolRaw : textRaw, t.x, t.y + ascent,
                   bytes::ToText(t.text, t.utf8), exposed.left(), exposed.right());
        if (underlined)
            painter.fillRect(
                QRect(t.x, t.y + underlineTop, panes::Columns(t.text) * charWidth, underlineHeight),
                colour);
        if (t.style == TPaneText::Symbol)
            painter.setFont(textFont);
    }
    painter.setPen(text);
}
