#include "gui/compare/TSideBySideView.h"

#include "compare/LineDiff.h"
#include "gui/support/Bytes.h"
#include "gui/support/DiffColours.h"
#include "gui/views/TDisplayWindow.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

using diffcolours::TTint;
using Kind = compare::TSideRow::Kind;

constexpr int kGutterDigits = 5;
// Lines kept above a change that F7 scrolls to, so the reader sees where it is.
constexpr size_t kContextAbove = 2;

std::string_view WithoutLineFeed(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

TSideBySideView::TSideBySideView(const QFont& font, QWidget* parent) : QAbstractScrollArea(parent)
{
    setFont(font);
    viewport()->setFont(font);
    const QFontMetrics metrics(font);
    charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    lineHeight = std::max(1, metrics.lineSpacing());
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    Show({}, {});
}

void TSideBySideView::Show(std::string_view oldText, std::string_view newText)
{
    oldLines = linediff::SplitLines(oldText);
    newLines = linediff::SplitLines(newText);
    layout.emplace(linediff::Diff(oldLines, newLines));
    current = kNone;
    widest = 0;
    for (const std::vector<std::string_view>* lines : {&oldLines, &newLines})
        for (std::string_view line : *lines)
            widest =
                std::max(widest, static_cast<int>(bytes::ToText(WithoutLineFeed(line)).size()));
    UpdateScrollRanges();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

bool TSideBySideView::StepChange(bool forward)
{
    const size_t next = forward ? layout->NextChange(current) : layout->PreviousChange(current);
    if (next == kNone)
        return false;
    current = next;
    const size_t shown = static_cast<size_t>(std::max(1, viewport()->height() / lineHeight));
    if (current < TopRow() || current >= TopRow() + shown)
        verticalScrollBar()->setValue(
            static_cast<int>(current > kContextAbove ? current - kContextAbove : 0));
    viewport()->update();
    return true;
}

size_t TSideBySideView::TopRow() const
{
    return static_cast<size_t>(verticalScrollBar()->value());
}

QString TSideBySideView::Text(size_t row, TSide side) const
{
    const compare::TSideRow& r = layout->Rows()[row];
    const size_t line = side == TSide::Old ? r.oldLine : r.newLine;
    if (line == kNone)
        return {};
    return bytes::ToText(WithoutLineFeed(side == TSide::Old ? oldLines[line] : newLines[line]));
}

std::optional<QColor> TSideBySideView::Tint(size_t row, TSide side) const
{
    const QPalette& colours = palette();
    switch (layout->Rows()[row].kind) {
    case Kind::Kept:
        return std::nullopt;
    case Kind::Changed:
        return diffcolours::Of(colours, TTint::Changed);
    case Kind::Removed:
        return diffcolours::Of(colours, side == TSide::Old ? TTint::Removed : TTint::Missing);
    case Kind::Added:
        return diffcolours::Of(colours, side == TSide::New ? TTint::Added : TTint::Missing);
    }
    return std::nullopt;
}

void TSideBySideView::UpdateScrollRanges()
{
    const QSize view = viewport()->size();
    const int rows = static_cast<int>(layout ? layout->Rows().size() : 0);
    const int shownRows = std::max(1, view.height() / lineHeight);
    verticalScrollBar()->setRange(0, std::max(0, rows - shownRows));
    verticalScrollBar()->setPageStep(shownRows);
    // Each side shows its line numbers, then as many characters as half the width holds.
    const int shownChars = std::max(1, view.width() / 2 / charWidth - kGutterDigits - 1);
    horizontalScrollBar()->setRange(0, std::max(0, widest - shownChars));
    horizontalScrollBar()->setPageStep(shownChars);
}

void TSideBySideView::PaintSide(QPainter& painter, TSide side, int left, int width, size_t first,
                                size_t last) const
{
    const int gutter = (kGutterDigits + 1) * charWidth;
    const int ascent = QFontMetrics(font()).ascent();
    const QColor number = palette().color(QPalette::PlaceholderText);
    const QColor text = palette().color(QPalette::Text);
    painter.save();
    painter.setClipRect(left, 0, width, viewport()->height());
    for (size_t row = first; row < last; ++row) {
        const int y = static_cast<int>(row - first) * lineHeight;
        if (const std::optional<QColor> tint = Tint(row, side))
            painter.fillRect(left, y, width, lineHeight, *tint);
        const compare::TSideRow& r = layout->Rows()[row];
        const size_t line = side == TSide::Old ? r.oldLine : r.newLine;
        if (line == kNone)
            continue;
        painter.setPen(number);
        painter.drawText(QRect(left, y, gutter - charWidth, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
        painter.setPen(text);
        painter.save();
        painter.setClipRect(left + gutter, 0, width - gutter, viewport()->height());
        painter.drawText(left + gutter - horizontalScrollBar()->value() * charWidth, y + ascent,
                         Text(row, side));
        painter.restore();
    }
    painter.restore();
}

void TSideBySideView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int half = viewport()->width() / 2;
    const size_t first = TopRow();
    const size_t last = std::min(
        layout->Rows().size(), first + static_cast<size_t>(viewport()->height() / lineHeight + 1));
    PaintSide(painter, TSide::Old, 0, half, first, last);
    PaintSide(painter, TSide::New, half, viewport()->width() - half, first, last);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(half, 0, half, viewport()->height());
    // The change F7 moved to: a bar in the highlight colour at its first row.
    if (current != kNone && current >= first && current < last) {
        const int y = static_cast<int>(current - first) * lineHeight;
        painter.fillRect(0, y, charWidth / 2 + 1, lineHeight, palette().color(QPalette::Highlight));
        painter.fillRect(half, y, charWidth / 2 + 1, lineHeight,
                         palette().color(QPalette::Highlight));
    }
}

void TSideBySideView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TSideBySideView::keyPressEvent(QKeyEvent* event)
{
    if (ScrollByKey(event->key(), *horizontalScrollBar(), *verticalScrollBar()))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}
