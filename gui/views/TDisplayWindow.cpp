#include "gui/views/TDisplayWindow.h"

#include "gui/print/TLinesPrintout.h"
#include "gui/script/TDisplayScript.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDocument.h"
#include "gui/views/TPaneAccessible.h"
#include "gui/views/TPaneHost.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "views/HostLayouts.h"
#include "views/HoverText.h"
#include "views/PaneRules.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

QRect ToRect(const TPaneRect& rect)
{
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

TDisplayWindow::TDisplayWindow(TPaneHost& host, const TDefBase& def, TPaneKind kind)
    : host(host), def(def), kind(kind)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    viewport()->setBackgroundRole(QPalette::Base);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    LayOut(host.Document().font);
}

void TDisplayWindow::LayOut(const QFont& font)
{
    textFont = font;
    const QFontMetrics metrics(textFont);
    lineHeight = std::max(1, metrics.lineSpacing());
    // The fixed-pitch font's advance: characters are placed this far apart.
    charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    setFont(textFont);
    layout = panes::LayPane(def, kind, host.Document().db.Definitions(), charWidth, lineHeight);
    UpdateScrollRanges();
    TPaneAccessible::Install();
}

void TDisplayWindow::SelectionMoved()
{
    host.SelectionChanged();
    TPaneAccessible::SelectionChanged(*this);
}

void TDisplayWindow::SetTextFont(const QFont& font)
{
    const TScriptPiece* kept = selected;
    const int column = horizontalScrollBar()->value(), line = verticalScrollBar()->value();
    ClearSelection();
    LayOut(font);
    horizontalScrollBar()->setValue(column);
    verticalScrollBar()->setValue(line);
    if (kept) {
        const auto found = std::find_if(layout.pieces.begin(), layout.pieces.end(),
                                        [kept](const TPieceRect& r) { return r.piece == kept; });
        if (found != layout.pieces.end()) {
            selected = kept;
            selectedRect = found->rect;
            host.SelectionChanged();
        }
    }
    viewport()->update();
}

const TDefBase& TDisplayWindow::CurrentElement() const
{
    return *panes::CurrentElement(def, selected);
}

QPoint TDisplayWindow::Offset() const
{
    return {horizontalScrollBar()->value() * charWidth, verticalScrollBar()->value() * lineHeight};
}

QPoint TDisplayWindow::ContentPoint(QPoint viewportPoint) const
{
    return viewportPoint + Offset();
}

void TDisplayWindow::UpdateContent(const QRect& rect)
{
    viewport()->update(rect.translated(-Offset()));
}

void TDisplayWindow::ClearSelection()
{
    if (!selected && selectedText.isNull())
        return;
    selected = nullptr;
    selectedRect = {};
    selectedText = {};
    viewport()->update();
    SelectionMoved();
}

bool TDisplayWindow::ShowText(const TDefPicture& script, size_t line, size_t offset, size_t length)
{
    const auto rect =
        panes::ScriptTextRect(layout, script, line, offset, length, charWidth, lineHeight);
    if (!rect)
        return false;
    selected = nullptr;
    selectedRect = {};
    selectedText = ToRect(*rect);
    ScrollIntoView(selectedText);
    viewport()->update();
    SelectionMoved();
    return true;
}

void TDisplayWindow::ScrollIntoView(const QRect& rect)
{
    const QRect view(Offset(), viewport()->size());
    QScrollBar* vertical = verticalScrollBar();
    if (rect.top() < view.top() || rect.bottom() > view.bottom())
        vertical->setValue(rect.top() / lineHeight - vertical->pageStep() / 3);
    // A match within the first screen's width shows with the start of its line.
    QScrollBar* horizontal = horizontalScrollBar();
    if (rect.left() < view.left() || rect.right() > view.right())
        horizontal->setValue(
            rect.right() < view.width() ? 0 : (rect.left() - view.width() / 3) / charWidth);
}

bool TDisplayWindow::SelectPieceAt(QPoint content)
{
    if (selected || !selectedText.isNull()) {
        viewport()->update();
        selected = nullptr;
        selectedRect = {};
        selectedText = {};
    }
    if (const TPieceRect* hit = panes::HitPiece(layout, content.x(), content.y())) {
        selected = hit->piece;
        selectedRect = hit->rect;
        UpdateContent(ToRect(hit->rect));
        // One line in the status bar.
        host.ShowStatus(HoverTextAt(content).replace(QLatin1Char('\n'), QStringLiteral(" - ")));
    }
    SelectionMoved();
    return selected != nullptr;
}

QString TDisplayWindow::HoverTextAt(QPoint content) const
{
    const TPieceRect* hit = panes::HitPiece(layout, content.x(), content.y());
    if (!hit)
        return {};
    return bytes::ToText(panes::HoverText(host.Document().db.Definitions(), *hit->piece, true));
}

bool TDisplayWindow::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = HoverTextAt(ContentPoint(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

TPaneMemo TDisplayWindow::Memo() const
{
    TPaneMemo memo;
    if (selected) {
        memo.pieceX = selectedRect.left;
        memo.pieceY = selectedRect.top;
    }
    return memo;
}

void TDisplayWindow::Recall(const TPaneMemo& memo)
{
    if (memo.pieceX >= 0)
        SelectPieceAt({memo.pieceX, memo.pieceY});
}

void TDisplayWindow::ExplainSelected()
{
    if (!selected)
        return;
    const panes::TExplanation explanation =
        panes::ExplainPiece(*selected, panes::LaidOut(layout, selected));
    switch (explanation.action) {
    case panes::TExplanation::Open:
        if (selected->target)
            host.OpenDefinition(*selected->target);
        break;
    case panes::TExplanation::Message:
        host.Explain(bytes::ToText(explanation.text),
                     QString::fromLatin1(panes::kPictureScriptElement),
                     helpids::PictureScriptElement);
        break;
    case panes::TExplanation::Nothing:
        break;
    }
}

void TDisplayWindow::Click(QPoint content)
{
    SelectPieceAt(content);
}

void TDisplayWindow::DoubleClick(QPoint content)
{
    if (SelectPieceAt(content))
        ExplainSelected();
}

QRect TDisplayWindow::SelectionRect() const
{
    return selected ? ToRect(selectedRect) : selectedText;
}

TPaneState TDisplayWindow::State() const
{
    const TDefBase& current = CurrentElement();
    TPaneState state;
    state.canCopy = true;
    state.canPrint = true;
    state.canOpen = selected != nullptr;
    state.usedBy = &current;
    state.located = &current;
    state.diagramElement = &current;
    // A picture the selected name refers to, as Relationships selects it; else this one.
    if (kinds::IsPictureKind(def.kind))
        state.focusPicture = kinds::IsPictureKind(current.kind) ? &current : &def;
    if (selected && selected->target)
        state.selectedName = selected->target->name;
    return state;
}

void TDisplayWindow::Copy() const
{
    host.CopyText(def);
}

std::unique_ptr<TPrintout> TDisplayWindow::Printout() const
{
    return std::make_unique<TLinesPrintout>(layout, host.Document().colours, textFont, lineHeight,
                                            charWidth);
}

void TDisplayWindow::OpenSelected()
{
    ExplainSelected();
}

void TDisplayWindow::UpdateScrollRanges()
{
    // Scrolled in whole characters and lines; the last page shows the end of the content.
    const QSize view = viewport()->size();
    const auto range = [](int extent, int view, int unit) {
        return extent > view ? (extent - view + unit - 1) / unit : 0;
    };
    horizontalScrollBar()->setRange(0, range(layout.width, view.width(), charWidth));
    horizontalScrollBar()->setPageStep(std::max(1, view.width() / charWidth));
    verticalScrollBar()->setRange(0, range(layout.height, view.height(), lineHeight));
    verticalScrollBar()->setPageStep(std::max(1, view.height() / lineHeight));
}

void TDisplayWindow::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TDisplayWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPoint offset = Offset();
    painter.translate(-offset);
    painter.setPen(palette().color(QPalette::Text));
    const QRect exposed = event->rect().translated(offset);
    TDisplayScript(textFont, lineHeight, charWidth)
        .Paint(painter, layout, host.Document().ShownColours(), exposed);
    const QRect selection = SelectionRect();
    if (!selection.isEmpty()) {
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(selection, Qt::white);
    }
}

bool ScrollByKey(int key, QScrollBar& horizontal, QScrollBar& vertical)
{
    switch (key) {
    case Qt::Key_PageUp:
        vertical.triggerAction(QAbstractSlider::SliderPageStepSub);
        return true;
    case Qt::Key_PageDown:
        vertical.triggerAction(QAbstractSlider::SliderPageStepAdd);
        return true;
    case Qt::Key_Home:
        vertical.triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        vertical.triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    case Qt::Key_Up:
        vertical.triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        vertical.triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Left:
        horizontal.triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Right:
        horizontal.triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    default:
        return false;
    }
}

void TDisplayWindow::keyPressEvent(QKeyEvent* event)
{
    if (ScrollByKey(event->key(), *horizontalScrollBar(), *verticalScrollBar()))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void TDisplayWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Click(ContentPoint(event->position().toPoint()));
}

void TDisplayWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        DoubleClick(ContentPoint(event->position().toPoint()));
}
