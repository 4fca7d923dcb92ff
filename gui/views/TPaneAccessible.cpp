#include "gui/views/TPaneAccessible.h"

#include "gui/views/TDisplayWindow.h"
#include "model/TDefBase.h"

#include "gui/support/Bytes.h"

#include <QAccessible>
#include <QWidget>

#include <algorithm>

namespace {

QAccessibleInterface* MakePane(const QString&, QObject* object)
{
    if (auto* pane = qobject_cast<TDisplayWindow*>(object))
        return new TPaneAccessible(pane);
    return nullptr;
}

TPaneRect ToPaneRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

} // namespace

TPaneAccessible::TPaneAccessible(TDisplayWindow* pane)
    : QAccessibleWidget(pane, QAccessible::EditableText)
{
}

void TPaneAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(MakePane);
        return true;
    }();
    (void)installed;
}

void TPaneAccessible::SelectionChanged(TDisplayWindow& pane)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&pane);
    QAccessibleTextInterface* text = accessible ? accessible->textInterface() : nullptr;
    if (!text)
        return;
    int start = text->cursorPosition(), end = start;
    if (text->selectionCount() > 0)
        text->selection(0, &start, &end);
    QAccessibleTextSelectionEvent selection(&pane, start, end);
    QAccessible::updateAccessibility(&selection);
    QAccessibleTextCursorEvent cursor(&pane, start);
    QAccessible::updateAccessibility(&cursor);
}

TDisplayWindow& TPaneAccessible::Pane() const
{
    return *static_cast<TDisplayWindow*>(widget());
}

void* TPaneAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TPaneAccessible::text(QAccessible::Text type) const
{
    switch (type) {
    case QAccessible::Name:
        return bytes::ToText(Pane().Def().Title());
    case QAccessible::Value:
        Fill();
        return whole;
    default:
        return QAccessibleWidget::text(type);
    }
}

QAccessible::State TPaneAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void TPaneAccessible::Fill() const
{
    const TDisplayWindow& pane = Pane();
    const TMadeFrom from{pane.Layout().texts.data(), pane.Layout().texts.size(), pane.CharWidth(),
                         pane.LineHeight()};
    if (madeFrom == from)
        return;
    madeFrom = from;
    whole.clear();
    lineStarts.assign(1, 0);
    grid = panes::GridLines(pane.Layout(), pane.CharWidth(), pane.LineHeight());
    for (const std::u32string& line : grid.lines) {
        whole += QString::fromUcs4(line.data(), static_cast<qsizetype>(line.size()));
        whole += QLatin1Char('\n');
        lineStarts.push_back(static_cast<int>(whole.size()));
    }
}

int TPaneAccessible::OffsetOf(int line, int column) const
{
    Fill();
    if (line < 0)
        return 0;
    if (static_cast<size_t>(line) + 1 >= lineStarts.size())
        return static_cast<int>(whole.size());
    const int start = lineStarts[static_cast<size_t>(line)];
    const int end = lineStarts[static_cast<size_t>(line) + 1] - 1;
    // A character outside the Basic Multilingual Plane takes two offsets and one column.
    int offset = start;
    for (int c = 0; c < column && offset < end; ++c)
        offset += whole.at(offset).isHighSurrogate() && offset + 1 < end ? 2 : 1;
    return offset;
}

std::pair<int, int> TPaneAccessible::CellOf(int offset) const
{
    Fill();
    const auto next = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    const int line = static_cast<int>(next - lineStarts.begin()) - 1;
    int column = 0;
    for (int at = lineStarts[static_cast<size_t>(std::max(0, line))]; at < offset; ++column)
        at += whole.at(at).isHighSurrogate() && at + 1 < offset ? 2 : 1;
    return {line, column};
}

bool TPaneAccessible::Selected(int& start, int& end) const
{
    const QRect rect = Pane().ShownSelection();
    if (rect.isEmpty())
        return false;
    Fill();
    const panes::TGridSpan span = panes::SpanOf(grid, ToPaneRect(rect), Pane().CharWidth());
    start = OffsetOf(span.line, span.first);
    end = OffsetOf(span.lastLine, span.last);
    return true;
}

void TPaneAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    int start = 0, end = 0;
    if (selectionIndex != 0 || !Selected(start, end))
        start = end = 0;
    *startOffset = start;
    *endOffset = end;
}

int TPaneAccessible::selectionCount() const
{
    int start = 0, end = 0;
    return Selected(start, end) ? 1 : 0;
}

int TPaneAccessible::cursorPosition() const
{
    int start = 0, end = 0;
    return Selected(start, end) ? start : cursor;
}

void TPaneAccessible::setCursorPosition(int position)
{
    cursor = std::clamp(position, 0, characterCount());
}

QString TPaneAccessible::text(int startOffset, int endOffset) const
{
    Fill();
    const int start = std::clamp(startOffset, 0, static_cast<int>(whole.size()));
    const int end = std::clamp(endOffset, start, static_cast<int>(whole.size()));
    return whole.mid(start, end - start);
}

int TPaneAccessible::characterCount() const
{
    Fill();
    return static_cast<int>(whole.size());
}

int TPaneAccessible::Top(int line) const
{
    Fill();
    if (line >= 0 && static_cast<size_t>(line) < grid.tops.size())
        return grid.tops[static_cast<size_t>(line)];
    // The end of the text: under the last line.
    return (grid.tops.empty() ? 0 : grid.tops.back()) + Pane().LineHeight();
}

QRect TPaneAccessible::characterRect(int offset) const
{
    const TDisplayWindow& pane = Pane();
    const auto [line, column] = CellOf(std::clamp(offset, 0, characterCount()));
    const QPoint content(column * pane.CharWidth(), Top(line));
    const QPoint inView = content - pane.ContentPoint({0, 0});
    return QRect(pane.viewport()->mapToGlobal(inView), QSize(pane.CharWidth(), pane.LineHeight()));
}

int TPaneAccessible::offsetAtPoint(const QPoint& point) const
{
    const TDisplayWindow& pane = Pane();
    const QPoint inView = pane.viewport()->mapFromGlobal(point);
    if (!pane.viewport()->rect().contains(inView))
        return -1;
    const QPoint content = pane.ContentPoint(inView);
    Fill();
    return OffsetOf(grid.LineAt(content.y()), content.x() / pane.CharWidth());
}

void TPaneAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    TDisplayWindow& pane = Pane();
    const auto [line, first] = CellOf(std::clamp(startIndex, 0, characterCount()));
    const auto [lastLine, last] = CellOf(std::clamp(endIndex, 0, characterCount()));
    const int right = lastLine == line ? std::max(last, first + 1) : first + 1;
    pane.ScrollIntoView(QRect(first * pane.CharWidth(), Top(line),
                              (right - first) * pane.CharWidth(), pane.LineHeight()));
}

QString TPaneAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // No attributes: one run over the whole text.
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
