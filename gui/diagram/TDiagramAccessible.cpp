#include "gui/diagram/TDiagramAccessible.h"

#include "diagram/TVertex.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/Bytes.h"
#include "model/TDefBase.h"

#include <QAccessible>

#include <algorithm>

namespace {

QAccessibleInterface* MakeDiagram(const QString&, QObject* object)
{
    if (auto* browser = qobject_cast<TDisplayBrowser*>(object))
        return new TDiagramAccessible(browser);
    return nullptr;
}

// The vertex's place in the diagram's list; -1 for none.
int PlaceOf(const TDisplayBrowser& browser, const TVertex* vertex)
{
    const TVertexList& vertices = browser.Vertices();
    const auto at = std::find(vertices.begin(), vertices.end(), vertex);
    return at == vertices.end() ? -1 : static_cast<int>(at - vertices.begin());
}

} // namespace

TDiagramAccessible::TDiagramAccessible(TDisplayBrowser* browser)
    : QAccessibleWidget(browser, QAccessible::Canvas)
{
}

TDiagramAccessible::~TDiagramAccessible()
{
    for (QAccessible::Id id : boxes)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

void TDiagramAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(MakeDiagram);
        return true;
    }();
    (void)installed;
}

void TDiagramAccessible::SelectionChanged(TDisplayBrowser& browser)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* diagram = QAccessible::queryAccessibleInterface(&browser);
    const int place = PlaceOf(browser, browser.Selected());
    QAccessibleInterface* box = diagram && place >= 0 ? diagram->child(place) : nullptr;
    if (!box)
        return;
    QAccessibleEvent focus(box, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(box, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}

TDisplayBrowser& TDiagramAccessible::Browser() const
{
    return *static_cast<TDisplayBrowser*>(widget());
}

QString TDiagramAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name)
        return Browser().Caption();
    return QAccessibleWidget::text(type);
}

int TDiagramAccessible::childCount() const
{
    return static_cast<int>(Browser().Vertices().size());
}

QAccessibleInterface* TDiagramAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (boxes.size() <= static_cast<size_t>(index))
        boxes.resize(static_cast<size_t>(index) + 1, 0);
    QAccessible::Id& id = boxes[static_cast<size_t>(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new TBoxAccessible(&Browser(), index));
    return QAccessible::accessibleInterface(id);
}

int TDiagramAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* box = dynamic_cast<const TBoxAccessible*>(child);
    return box && box->parent() == this ? box->Vertex() : -1;
}

QAccessibleInterface* TDiagramAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* box = child(i); box->rect().contains(x, y))
            return box;
    return nullptr;
}

QAccessibleInterface* TDiagramAccessible::focusChild() const
{
    const int place = PlaceOf(Browser(), Browser().Selected());
    return place >= 0 ? child(place) : nullptr;
}

TBoxAccessible::TBoxAccessible(TDisplayBrowser* browser, int vertex)
    : browser(browser), vertex(vertex)
{
}

bool TBoxAccessible::isValid() const
{
    return browser && vertex < static_cast<int>(browser->Vertices().size());
}

QWindow* TBoxAccessible::window() const
{
    return browser ? browser->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TBoxAccessible::parent() const
{
    return browser ? QAccessible::queryAccessibleInterface(browser.data()) : nullptr;
}

QString TBoxAccessible::text(QAccessible::Text type) const
{
    if (!isValid() || type != QAccessible::Name)
        return {};
    return bytes::ToText(browser->Vertices()[static_cast<size_t>(vertex)]->element->Title());
}

QRect TBoxAccessible::rect() const
{
    if (!isValid())
        return {};
    return browser->BoxOnScreen(*browser->Vertices()[static_cast<size_t>(vertex)]);
}

QAccessible::State TBoxAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    const bool selected = browser->Selected() == browser->Vertices()[static_cast<size_t>(vertex)];
    state.selected = selected;
    state.focused = selected && browser->hasFocus();
    state.offscreen = !browser->viewport()->rect().intersects(
        QRect(browser->viewport()->mapFromGlobal(rect().topLeft()), rect().size()));
    return state;
}
