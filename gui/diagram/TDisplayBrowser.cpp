#include "gui/diagram/TDisplayBrowser.h"

#include "diagram/DependencyGraph.h"
#include "diagram/DiagramGeometry.h"
#include "diagram/DiagramKeys.h"
#include "diagram/FocusedGraph.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TVertex.h"
#include "gui/diagram/TDiagramAccessible.h"
#include "gui/diagram/TDiagramPrintout.h"
#include "gui/script/TDisplayScript.h"
#include "gui/support/Bytes.h"
#include "gui/support/DiffColours.h"
#include "gui/support/SaveFile.h"
#include "gui/views/TDisplayWindow.h"
#include "gui/views/TDocument.h"
#include "gui/views/TPaneHost.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "script/TDispColour.h"

#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <sstream>

namespace {
const QColor kBackground(192, 192, 192);
const QColor kShadow(128, 128, 128);
constexpr int kPointSize = 9;

TVertex::Rect ToArea(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

QRect ToRect(const TVertex::Rect& box)
{
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}
} // namespace

TDisplayBrowser::TDisplayBrowser(TPaneHost& host) : TDisplayBrowser(host, nullptr, 0) {}

TDisplayBrowser::TDisplayBrowser(TPaneHost& host, const TDefBase& focus, int depth)
    : TDisplayBrowser(host, &focus, graph::ClampFocusDepth(depth))
{
}

TDisplayBrowser::TDisplayBrowser(TPaneHost& host, const TDefBase* focus, int depth)
    : host(host), focus(focus), depth(depth)
{
    const QFontMetrics text(host.Document().font);
    charWidth = std::max(1, text.horizontalAdvance(QLatin1Char('0')));
    lineHeight = std::max(1, text.lineSpacing());
    // paintEvent fills the background in the theme's colour.
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);

    MakeDiagramFont();
    Build();
    TDiagramAccessible::Install();
}

void TDisplayBrowser::Build()
{
    selected = nullptr;
    index.reset();
    master.Clear();
    const TDefinedArray& defs = host.Document().db.Definitions();
    if (focus)
        graph::BuildFocusedGraph(defs, *focus, depth, master);
    else
        graph::BuildGraph(defs, master);
    const QFontMetrics metrics(DiagramFont(100));
    SetDAG(
        master,
        [&metrics](std::string_view name) {
            return metrics.horizontalAdvance(bytes::ToText(name));
        },
        metrics.lineSpacing())
        .Layout();
    ComputeBoxes();
}

void TDisplayBrowser::Refocus(int newDepth)
{
    if (!focus)
        return;
    depth = graph::ClampFocusDepth(newDepth);
    Q_EMIT CaptionChanged(Caption());
    Build();
    SelectElement(focus);
}

QString TDisplayBrowser::Caption() const
{
    if (focus)
        // One pass over the arguments: a title may hold "%1".
        return QStringLiteral("Relationships of %1, depth %2 (%3%)")
            .arg(bytes::ToText(focus->Title()), QString::number(depth), QString::number(zoom));
    return QStringLiteral("Relationships (%1%)").arg(zoom);
}

QFont TDisplayBrowser::DiagramFont(int atZoom) const
{
    // 9 points on this screen, scaled by the zoom (truncated, as a font height is).
    const int points = (kPointSize * logicalDpiY() + 36) / 72;
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(std::max(1, points * atZoom / 100));
    return font;
}

void TDisplayBrowser::MakeDiagramFont()
{
    diagramFont = DiagramFont(zoom);
    h = QFontMetrics(diagramFont).lineSpacing();
}

void TDisplayBrowser::ComputeBoxes()
{
    const QFontMetrics metrics(diagramFont);
    const diagram::TExtent e =
        diagram::ComputeBoxes(master, zoom, h, [&metrics](std::string_view name) {
            return metrics.horizontalAdvance(bytes::ToText(name));
        });
    extent = QSize(e.width, e.height);
    index = std::make_unique<TDiagramIndex>(master);
    UpdateScrollRanges();
}

QRect TDisplayBrowser::DiagramRect() const
{
    const int m = diagram::Margin(h);
    QRect rect(-m, -m, extent.width() + 2 * m, extent.height() + 2 * m);
    for (const TVertex* v : master)
        rect = rect.united(ToRect(v->box).adjusted(0, 0, 2, 2)); // the shadow
    return rect;
}

QPoint TDisplayBrowser::Offset() const
{
    return {horizontalScrollBar()->value() * charWidth, verticalScrollBar()->value() * lineHeight};
}

QPoint TDisplayBrowser::Centre() const
{
    const QRect view = viewport()->rect();
    return QPoint((view.left() + view.right()) / 2, (view.top() + view.bottom()) / 2) + Offset();
}

void TDisplayBrowser::UpdateScrollRanges()
{
    const QSize view = viewport()->size();
    const auto range = [](int size, int shown, int unit) {
        return size > shown ? (size - shown + unit - 1) / unit : 0;
    };
    horizontalScrollBar()->setRange(0, range(extent.width(), view.width(), charWidth));
    horizontalScrollBar()->setPageStep(std::max(1, view.width() / charWidth));
    verticalScrollBar()->setRange(0, range(extent.height(), view.height(), lineHeight));
    verticalScrollBar()->setPageStep(std::max(1, view.height() / lineHeight));
}

void TDisplayBrowser::ScrollBy(int dx, int dy)
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx / charWidth);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy / lineHeight);
}

void TDisplayBrowser::SetZoom(int newZoom)
{
    const int oldZoom = zoom;
    if (newZoom == oldZoom ||
        std::find(diagram::kZooms.begin(), diagram::kZooms.end(), newZoom) == diagram::kZooms.end())
        return;
    zoom = newZoom;
    Q_EMIT CaptionChanged(Caption());
    // The positions from before the new ranges clamp them.
    const int oldX = horizontalScrollBar()->value(), oldY = verticalScrollBar()->value();
    MakeDiagramFont();
    ComputeBoxes();
    const QRect view = viewport()->rect();
    horizontalScrollBar()->setValue(diagram::ZoomedPosition(
        {oldX, horizontalScrollBar()->maximum(), charWidth, (view.left() + view.right()) / 2},
        oldZoom, zoom));
    verticalScrollBar()->setValue(diagram::ZoomedPosition(
        {oldY, verticalScrollBar()->maximum(), lineHeight, (view.top() + view.bottom()) / 2},
        oldZoom, zoom));
    viewport()->update();
}

void TDisplayBrowser::SelectElement(const TDefBase* element)
{
    Select(element ? graph::FindVertex(master, element) : nullptr);
    if (selected) {
        const QPoint c = Centre();
        const TVertex::Point d = diagram::CentreOn(*selected, {c.x(), c.y()});
        ScrollBy(d.x, d.y);
    }
}

void TDisplayBrowser::Select(TVertex* vertex)
{
    selected = vertex;
    viewport()->update();
    host.SelectionChanged();
    TDiagramAccessible::SelectionChanged(*this);
}

QRect TDisplayBrowser::BoxOnScreen(const TVertex& v) const
{
    return QRect(viewport()->mapToGlobal(ToRect(v.box).topLeft() - Offset()), ToRect(v.box).size());
}

TPaneState TDisplayBrowser::State() const
{
    TPaneState state;
    state.locates = false;
    state.focusPicture = selected ? selected->element : nullptr;
    state.isDiagram = true;
    state.canPrint = !master.empty();
    state.canOpen = selected != nullptr;
    return state;
}

TPaneMemo TDisplayBrowser::Memo() const
{
    TPaneMemo memo;
    memo.zoom = zoom;
    memo.selected = selected ? selected->element : nullptr;
    return memo;
}

void TDisplayBrowser::Recall(const TPaneMemo& memo)
{
    if (memo.zoom > 0)
        SetZoom(memo.zoom);
    if (memo.selected)
        SelectElement(memo.selected);
}

void TDisplayBrowser::OpenSelected()
{
    if (selected)
        host.OpenDefinition(*selected->element);
}

void TDisplayBrowser::SelectAndShow(TVertex* vertex)
{
    Select(vertex);
    const QPoint offset = Offset();
    const QSize view = viewport()->size();
    const TVertex::Point d =
        diagram::IntoView(vertex->box, {offset.x(), offset.y(), offset.x() + view.width(),
                                        offset.y() + view.height()});
    // Whole units, rounded away from the position, so the box ends up inside.
    const auto units = [](int pixels, int unit) {
        return pixels >= 0 ? (pixels + unit - 1) / unit : -((unit - 1 - pixels) / unit);
    };
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + units(d.x, charWidth));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + units(d.y, lineHeight));
}

bool TDisplayBrowser::MoveByKey(int key)
{
    diagram::TDirection direction;
    switch (key) {
    case Qt::Key_Left:
        direction = diagram::TDirection::Left;
        break;
    case Qt::Key_Right:
        direction = diagram::TDirection::Right;
        break;
    case Qt::Key_Up:
        direction = diagram::TDirection::Up;
        break;
    case Qt::Key_Down:
        direction = diagram::TDirection::Down;
        break;
    default:
        return false;
    }
    const QPoint centre = Centre();
    if (TVertex* next = selected ? diagram::Nearest(master, *selected, direction)
                                 : diagram::NearestTo(master, {centre.x(), centre.y()}))
        SelectAndShow(next);
    return true;
}

bool TDisplayBrowser::TypeAhead(const QString& text)
{
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    // A letter after a pause starts a new name, looked for after the selected box; one within
    // the pause lengthens the name, which the selected box may still start with.
    const bool lengthens =
        !typed.isEmpty() && typedClock.isValid() && typedClock.elapsed() < kTypeAheadTime;
    typed = lengthens ? typed + text : text;
    typedClock.start();
    if (TVertex* next =
            diagram::NextStartingWith(master, selected, bytes::TypedBytes(typed), lengthens))
        SelectAndShow(next);
    return true;
}

TVertex* TDisplayBrowser::HitAt(QPoint viewportPoint) const
{
    const QPoint p = viewportPoint + Offset();
    return index->Hit(p.x(), p.y());
}

TDisplayBrowser::TColours TDisplayBrowser::Colours(bool onScreen) const
{
    const TDocument& document = host.Document();
    const bool dark = onScreen && document.dark;
    const QColor highlight =
        TDisplayScript::Colour((dark ? document.darkColours : document.colours)
                                   .PieceColour(TDispColour::kHighlightKind, 0, 0));
    if (!dark)
        return {kBackground, Qt::white, kShadow, Qt::black, Qt::black, highlight};
    const QPalette& p = palette();
    return {p.color(QPalette::Window), p.color(QPalette::Base), p.color(QPalette::Shadow),
            p.color(QPalette::Text),   p.color(QPalette::Text), highlight};
}

void TDisplayBrowser::DrawVertex(QPainter& painter, const TVertex& v, const TColours& colours) const
{
    const int m = diagram::Margin(h);
    const QRect box = ToRect(v.box);
    painter.setPen(QPen(colours.shadow, 3));
    painter.drawRoundedRect(box.translated(1, 1), m, m);
    painter.setPen(QPen(colours.line, 1));
    painter.setBrush(BoxFill(v, colours));
    painter.drawRoundedRect(box, m, m);
    painter.setPen(&v == selected ? colours.highlight : colours.text);
    const int top = v.sy - (m - m / 4);
    painter.drawText(v.sx, top + QFontMetrics(diagramFont).ascent(),
                     bytes::ToText(v.element->Title()));
}

QColor TDisplayBrowser::BoxFill(const TVertex& v) const
{
    return BoxFill(v, Colours(true));
}

QColor TDisplayBrowser::BoxFill(const TVertex& v, const TColours& colours) const
{
    const compare::TPictureStatus& marked = host.Document().comparedPictures;
    const auto found = marked.find(v.element);
    if (found == marked.end())
        return colours.box;
    return diffcolours::Of(palette(), found->second == compare::TStatus::Added
                                          ? diffcolours::TTint::Added
                                          : diffcolours::TTint::Changed);
}

void TDisplayBrowser::DrawLegend(QPainter& painter) const
{
    const QFontMetrics metrics(font());
    const int line = metrics.lineSpacing();
    const int swatch = metrics.ascent();
    const QString words[] = {QStringLiteral("added"), QStringLiteral("changed")};
    const diffcolours::TTint tints[] = {diffcolours::TTint::Added, diffcolours::TTint::Changed};
    const int width =
        swatch + line / 2 +
        std::max(metrics.horizontalAdvance(words[0]), metrics.horizontalAdvance(words[1]));
    const QRect box(viewport()->width() - width - 2 * line, line / 2, width + line,
                    2 * line + line / 2);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(box);
    for (int i = 0; i < 2; ++i) {
        const int top = box.top() + line / 4 + i * line;
        painter.setPen(QPen(palette().color(QPalette::Text), 1));
        painter.setBrush(diffcolours::Of(palette(), tints[i]));
        painter.drawRect(box.left() + line / 2, top + (line - swatch) / 2, swatch, swatch);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(box.left() + line / 2 + swatch + line / 2, top + metrics.ascent(),
                         words[i]);
    }
}

void TDisplayBrowser::Paint(QPainter& painter, const QRect& area, bool onScreen) const
{
    const TColours colours = Colours(onScreen);
    // A box's shadow reaches 2 pixels past its right and bottom edges.
    const TVertex::Rect a = ToArea(area.adjusted(-2, -2, 0, 0));
    const QColor& highlight = colours.highlight;
    const std::vector<TDiagramIndex::Edge> edges = index->Edges(a);
    painter.setPen(QPen(colours.line, 1));
    for (const TDiagramIndex::Edge& e : edges)
        if (e.from != selected && e.to != selected)
            painter.drawLine(e.from->rightEnd.x, e.from->rightEnd.y, e.to->sx, e.to->sy);
    if (selected) {
        // Over the others.
        painter.setPen(QPen(highlight, 1));
        for (const TDiagramIndex::Edge& e : edges)
            if (e.from == selected || e.to == selected)
                painter.drawLine(e.from->rightEnd.x, e.from->rightEnd.y, e.to->sx, e.to->sy);
    }
    painter.setFont(diagramFont);
    for (const TVertex* v : index->Vertices(a))
        DrawVertex(painter, *v, colours);
}

void TDisplayBrowser::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Colours(true).background);
    painter.translate(-Offset());
    Paint(painter, event->rect().translated(Offset()), true);
    if (!host.Document().comparedPictures.empty()) {
        painter.resetTransform();
        DrawLegend(painter);
    }
}

void TDisplayBrowser::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TDisplayBrowser::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    // While there are boxes, arrows move the selection and letters pick a box by name; Page Up,
    // Page Down, Home and End (and the arrows with Ctrl) scroll as in the other panes.
    if (plain && !master.empty() && (MoveByKey(event->key()) || TypeAhead(event->text())))
        event->accept();
    else if (ScrollByKey(event->key(), *horizontalScrollBar(), *verticalScrollBar()))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void TDisplayBrowser::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A click on empty space keeps the selection.
    if (TVertex* hit = HitAt(event->position().toPoint()))
        Select(hit);
}

void TDisplayBrowser::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    TVertex* hit = HitAt(event->position().toPoint());
    if (!hit)
        return;
    Select(hit);
    host.OpenDefinition(*hit->element);
}

bool TDisplayBrowser::Export(const QString& path, QString& error) const
{
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        const QFontMetrics metrics(diagramFont);
        std::ostringstream svg;
        diagram::WriteSvg(
            svg, master, zoom, h,
            [&metrics](std::string_view name) {
                return metrics.horizontalAdvance(bytes::ToText(name));
            },
            QFontInfo(diagramFont).family().toStdString(), diagramFont.pixelSize(), selected,
            host.Document().colours.PieceColour(TDispColour::kHighlightKind, 0, 0));
        error = files::SaveFile(path, host.Document().db.DefinitionFile(), svg.view());
        return error.isEmpty();
    }
    // As many pixels as the screen shows, so that the picture is as sharp as the window.
    const QImage image = Picture(devicePixelRatioF());
    error = files::SaveFile(path, host.Document().db.DefinitionFile(),
                            [&image](QIODevice& file) { return image.save(&file, "PNG"); });
    return error.isEmpty();
}

QImage TDisplayBrowser::Picture(qreal ratio) const
{
    const QRect whole = DiagramRect();
    QImage image((QSizeF(whole.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.translate(-whole.topLeft());
    Paint(painter, whole);
    return image;
}

std::unique_ptr<TPrintout> TDisplayBrowser::Printout() const
{
    return std::make_unique<TDiagramPrintout>(*this);
}
