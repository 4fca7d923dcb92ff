#include "gui/app/TSpecMDI.h"

#include "compare/PictureMarks.h"
#include "gui/app/WindowGeometry.h"
#include "gui/compare/TDisplayDifferences.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TWaitCursor.h"
#include "gui/views/DefinitionPanes.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayFind.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TDisplayLog.h"
#include "gui/views/TDisplayUnused.h"
#include "gui/views/TDisplayUsed.h"
#include "gui/views/TDisplayWindow.h"
#include "gui/views/TDocument.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/Files.h"
#include "model/TDefBase.h"
#include "script/FindInScripts.h"

#include <QStyle>

#include <algorithm>

namespace {
// The Differences window asks for room for its list and both texts.
constexpr QSize kDifferencesSize(900, 600);
} // namespace

TSpecMDI::TSpecMDI(TDocument& document, QWidget* parent)
    : QMdiArea(parent), document(document), services(*this, document)
{
    // Closing a window goes back to the one used before it.
    setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(this, &QMdiArea::subWindowActivated, this, &TSpecMDI::RecordActivation);
}

TSpecMDI::~TSpecMDI()
{
    // Windows go before the elements they show.
    DeleteChildren();
}

TTreeChild* TSpecMDI::TreeChild() const
{
    return treeChild;
}

TChildWindow* TSpecMDI::FindChild(TChildKey key) const
{
    const auto found = std::find_if(children.begin(), children.end(),
                                    [key](const TChildWindow* c) { return c->Key() == key; });
    return found == children.end() ? nullptr : *found;
}

void TSpecMDI::UpdateTextFont()
{
    for (TChildWindow* child : children)
        child->ContentPane().SetTextFont(document.font);
}

TChildWindow* TSpecMDI::ChildOf(const QMdiSubWindow* window) const
{
    const auto found = std::find(children.begin(), children.end(), window);
    return found == children.end() ? nullptr : *found;
}

TPane* TSpecMDI::ActivePane() const
{
    const TChildWindow* child = ChildOf(currentSubWindow());
    return child ? &child->ContentPane() : nullptr;
}

TPaneState TSpecMDI::ActiveState() const
{
    const TPane* pane = ActivePane();
    return pane ? pane->State() : TPaneState{};
}

void TSpecMDI::Adopt(TChildWindow* child)
{
    children.push_back(child);
    // Not in this client's context: closing a window disconnects it from the client before it
    // goes. The windows go before the client. Before QObject's own destroyed: QMdiSubWindow's
    // destructor activates another window, and the commands then ask the active pane.
    connect(child, &TChildWindow::Leaving, [this](TChildWindow* leaving) {
        children.erase(std::remove(children.begin(), children.end(), leaving), children.end());
    });
    addSubWindow(child);
    // The client parks a minimised window at its own place, over the tree; ours are right of it.
    connect(child, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((now ^ before) & Qt::WindowMinimized)
                    ArrangeIcons();
            });
}

void TSpecMDI::DeleteChildren()
{
    // A closed window waiting for its deletion is in the list too; each leaves it as it goes.
    while (!children.empty())
        delete children.back();
    focused.clear();
}

bool TSpecMDI::OpenDefinitionFile(const std::string& folder, TDatabase::TOpenedFile& file)
{
    file = TDatabase::Open(folder);
    if (file)
        return true;
    // "File Missing" only when there is none: a file that can't be read says why.
    if (file.reason.empty())
        services.ShowError(TDatabase::MissingPath(folder), "File Missing");
    else
        services.ShowError("Cannot read " + file.path + ": " + file.reason, "Cannot Read");
    return false;
}

bool TSpecMDI::ReadFile(const QString& folder)
{
    TDatabase::TOpenedFile file;
    if (!OpenDefinitionFile(bytes::PathBytes(folder), file))
        return false;
    // Once the file is open, reading it can't fail: only now do the windows go.
    Q_EMIT AboutToLoad();
    DeleteChildren();
    history.Clear();
    placement = 0;
    document.reloadMarks.clear();
    {
        TWaitCursor wait;
        document.db.Load(file);
        if (document.db.InternalError().empty())
            ShowStructure();
    }
    Q_EMIT Loaded();
    if (!document.db.InternalError().empty())
        services.ShowError(document.db.InternalError(), "Internal Error");
    // More than the "Reading " line and the summary.
    if (document.db.Log().Count() > 2)
        ShowMessages();
    return true;
}

void TSpecMDI::LoadQuietly(TDatabase::TOpenedFile& file)
{
    Q_EMIT AboutToLoad();
    DeleteChildren();
    history.Clear();
    placement = 0;
    {
        TWaitCursor wait;
        document.db.Load(file);
    }
    Q_EMIT Loaded();
}

void TSpecMDI::CompareWith(const QString& folder)
{
    const QString caption = QStringLiteral("Compare With");
    TDatabase::TOpenedFile file;
    if (!document.db.Loaded() || !OpenDefinitionFile(bytes::PathBytes(folder), file))
        return;
    if (files::SameFile(file.path, document.db.DefinitionFile())) {
        services.Explain(QStringLiteral("This is the design that is loaded; choose another one to "
                                        "compare with."),
                         caption, helpids::CompareWith);
        return;
    }
    // Its own design with no log file: its problems are not the loaded design's messages.
    auto other = std::make_unique<TDatabase>();
    std::unique_ptr<compare::TComparison> comparison;
    {
        TWaitCursor wait;
        other->Load(file);
        comparison =
            std::make_unique<compare::TComparison>(other->Definitions(), document.db.Definitions());
    }
    if (comparison->Same()) {
        services.Explain(QStringLiteral("No differences"), caption, helpids::CompareWith);
        return;
    }
    // The window it replaces takes its marks with it.
    delete FindChild({TChildKey::Differences});
    document.comparedPictures = compare::PictureMarks(*comparison);
    auto* shown = new TDisplayDifferences(services, std::move(other), std::move(comparison));
    auto* child = new TDisplayChild(QStringLiteral("Differences"), {TChildKey::Differences}, shown,
                                    helpids::DifferencesWindow, kDifferencesSize);
    connect(child, &QObject::destroyed, [this] {
        document.comparedPictures.clear();
        RepaintDiagrams();
    });
    AddChild(child);
    RepaintDiagrams();
}

void TSpecMDI::RepaintDiagrams()
{
    for (TDisplayBrowser* browser : findChildren<TDisplayBrowser*>())
        browser->viewport()->update();
}

void TSpecMDI::ShowStructure(const TDefBase* element)
{
    if (treeChild) {
        setActiveSubWindow(treeChild);
        treeChild->showNormal();
    } else {
        treeChild = new TTreeChild(services, document.db.Definitions(), document.db.Name());
        connect(&treeChild->Tree(), &TSpecTree::OpenRequested, this, &TSpecMDI::OpenElementAt);
        connect(&treeChild->Tree(), &TSpecTree::SelectionMoved, this,
                &TSpecMDI::PaneSelectionMoved);
        connect(treeChild, &TTreeChild::WidthChanged, this, &TSpecMDI::SetTreeColumn);
        Adopt(treeChild);
        treeChild->Place(treeColumn, viewport()->height());
        treeChild->show();
        setActiveSubWindow(treeChild);
    }
    if (element)
        treeChild->Tree().SelectElement(element->index);
    treeChild->FocusTree();
}

void TSpecMDI::ShowMessages()
{
    if (ActivateChild({TChildKey::Messages}))
        return;
    auto* log = new TDisplayLog(document.db.Log(), document.font, &document.db.Definitions());
    connect(log->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSpecMDI::PaneSelectionMoved);
    connect(log->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TSpecMDI::PaneSelectionMoved);
    connect(log, &TDisplayLog::OpenRequested, this,
            [this](const TDefBase& element) { OpenDefinition(element, false); });
    AddChild(
        new TDisplayChild(tr("Messages"), {TChildKey::Messages}, log, helpids::MessagesWindow));
}

void TSpecMDI::ShowUnused()
{
    if (ActivateChild({TChildKey::Unused}) || !document.db.Loaded())
        return;
    AddChild(new TDisplayChild(QStringLiteral("Unused Elements"), {TChildKey::Unused},
                               new TDisplayUnused(services, document.db.Definitions()),
                               helpids::UnusedElements));
}

void TSpecMDI::RecordActivation(QMdiSubWindow* window)
{
    const TChildWindow* child = ChildOf(window);
    if (child && child->Key().role == TChildKey::Definition)
        history.Visit(child->Key().element);
}

void TSpecMDI::GoBack()
{
    // The window's activation visits the element that is already current: it adds nothing.
    OpenElementAt(history.Back(), false);
}

void TSpecMDI::GoForward()
{
    OpenElementAt(history.Forward(), false);
}

bool TSpecMDI::ShowFind(const std::string& text, bool quiet)
{
    // One window per text searched: it offers that text as its selected name.
    for (TChildWindow* child : children) {
        if (child->Key().role == TChildKey::Find &&
            child->ContentPane().State().selectedName == text) {
            Activate(child);
            return true;
        }
    }
    std::vector<search::TScriptHit> hits;
    {
        TWaitCursor wait;
        hits = search::FindInScripts(document.db.Definitions(), text);
    }
    if (hits.empty()) {
        if (quiet)
            return false;
        services.Explain(QStringLiteral("No script holds \"%1\".").arg(bytes::ToText(text)),
                         QStringLiteral("Find in Scripts"), helpids::FindInScripts);
        return false;
    }
    AddChild(new TDisplayChild(QStringLiteral("Find: ") + bytes::ToText(text), {TChildKey::Find},
                               new TDisplayFind(services, text, std::move(hits)),
                               helpids::FindInScripts));
    return true;
}

void TSpecMDI::OpenElementAt(int element, bool onlyActivate)
{
    const TDefinedArray& defs = document.db.Definitions();
    if (element >= 0 && static_cast<size_t>(element) < defs.Count())
        OpenDefinition(*defs.At(static_cast<size_t>(element)), onlyActivate);
}

void TSpecMDI::OpenDefinition(const TDefBase& element, bool onlyActivate)
{
    services.Open(element, onlyActivate);
}

bool TSpecMDI::ActivateChild(TChildKey key)
{
    TChildWindow* child = FindChild(key);
    if (child)
        Activate(child);
    return child != nullptr;
}

void TSpecMDI::Activate(TChildWindow* child)
{
    setActiveSubWindow(child);
    child->showNormal();
}

void TSpecMDI::OpenPane(const TDefBase& element, TPaneKind pane)
{
    TDisplayWindow* shown = definitions::MakePane(services, element, pane);
    if (!shown)
        return;
    AddChild(new TDisplayChild(bytes::ToText(element.Title()),
                               {TChildKey::Definition, element.index}, shown,
                               definitions::HelpContext(pane), shown->Extent()));
}

void TSpecMDI::ShowUsedBy(const TDefBase& element)
{
    const TChildKey key{TChildKey::UsedBy, element.index};
    if (ActivateChild(key))
        return;
    AddChild(new TDisplayChild(bytes::ToText(element.Title()) + QStringLiteral(" used by"), key,
                               new TDisplayUsed(services, element), helpids::UsedByWindow));
}

void TSpecMDI::ShowIndex(const TDefBase* element)
{
    if (!ActivateChild({TChildKey::Index})) {
        index = new TDisplayIndex(services);
        AddChild(new TDisplayChild(QStringLiteral("Index of Elements"), {TChildKey::Index},
                                   index.data(), helpids::IndexWindow));
    }
    if (element && index)
        index->SelectElement(*element);
}

void TSpecMDI::ShowRelationships(const TDefBase* element)
{
    if (!ActivateChild({TChildKey::Relationships})) {
        TWaitCursor wait;
        relationships = new TDisplayBrowser(services);
        auto* child = new TDisplayChild(relationships->Caption(), {TChildKey::Relationships},
                                        relationships.data(), helpids::RelationshipsWindow);
        connect(relationships, &TDisplayBrowser::CaptionChanged, child, &QWidget::setWindowTitle);
        AddChild(child);
    }
    if (relationships)
        relationships->SelectElement(element);
}

void TSpecMDI::OpenFocusedDiagram(const TDefBase& picture, int depth)
{
    const TChildKey key{TChildKey::FocusedDiagram, picture.index};
    TWaitCursor wait;
    if (ActivateChild(key)) {
        if (const QPointer<TDisplayBrowser>& open = focused[picture.index])
            open->Refocus(depth);
        return;
    }
    auto* browser = new TDisplayBrowser(services, picture, depth);
    focused[picture.index] = browser;
    auto* child = new TDisplayChild(browser->Caption(), key, browser, helpids::FocusedDiagram);
    connect(browser, &TDisplayBrowser::CaptionChanged, child, &QWidget::setWindowTitle);
    AddChild(child);
    browser->SelectElement(&picture);
}

void TSpecMDI::AddChild(TDisplayChild* child)
{
    Adopt(child);
    const QRect place = PlaceChild(child->RequestedSize(), child->CaptionWidth());
    child->setGeometry(QRect(place.topLeft(), place.size().expandedTo(child->minimumSizeHint())));
    child->show();
    setActiveSubWindow(child);
}

QRect TSpecMDI::PlaceChild(QSize content, int captionWidth)
{
    const QStyle* s = style();
    const windows::TMetrics metrics{
        s->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this),
        s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this),
        s->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)};
    const int k = placement;
    placement = (k + 1) % windows::kPlacements;
    return windows::Placement(viewport()->size(), treeColumn, metrics, k, content, captionWidth);
}

QRect TSpecMDI::ArrangeRect() const
{
    return windows::ArrangeRect(
        viewport()->rect(), treeColumn,
        style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this));
}

std::vector<TChildWindow*> TSpecMDI::Arranged(bool minimised) const
{
    std::vector<TChildWindow*> arranged;
    for (QMdiSubWindow* sub : subWindowList(QMdiArea::StackingOrder)) {
        TChildWindow* child = ChildOf(sub);
        if (child && child != treeChild && !child->isHidden() && child->isMinimized() == minimised)
            arranged.push_back(child);
    }
    return arranged;
}

void TSpecMDI::Place(const std::vector<TChildWindow*>& arranged, const std::vector<QRect>& places)
{
    setUpdatesEnabled(false);
    for (size_t i = 0; i < places.size(); ++i) {
        arranged[i]->showNormal();
        arranged[i]->setGeometry(places[i]);
    }
    setUpdatesEnabled(true);
}

void TSpecMDI::Cascade()
{
    const std::vector<TChildWindow*> arranged = Arranged(false);
    Place(arranged,
          windows::Cascade(ArrangeRect(), static_cast<int>(arranged.size()),
                           style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this)));
}

void TSpecMDI::Tile()
{
    const std::vector<TChildWindow*> arranged = Arranged(false);
    Place(arranged, windows::Tile(ArrangeRect(), static_cast<int>(arranged.size())));
}

void TSpecMDI::ArrangeIcons()
{
    const std::vector<TChildWindow*> icons = Arranged(true);
    std::vector<QSize> sizes;
    for (const TChildWindow* icon : icons)
        sizes.push_back(icon->size());
    const std::vector<QPoint> places = windows::ArrangeIcons(ArrangeRect(), sizes);
    for (size_t i = 0; i < places.size(); ++i)
        icons[i]->move(places[i]);
}

void TSpecMDI::CloseAll()
{
    // The tree too, as any Close All does; Database Structure brings it back.
    for (QMdiSubWindow* sub : subWindowList())
        sub->close();
}

void TSpecMDI::resizeEvent(QResizeEvent* event)
{
    QMdiArea::resizeEvent(event);
    treeColumn = window()->width() / 3;
    if (treeChild && !treeChild->isMinimized() && !treeChild->isMaximized())
        treeChild->Place(treeColumn, viewport()->height());
    const QList<QMdiSubWindow*> windows = subWindowList();
    if (std::none_of(windows.begin(), windows.end(),
                     [](const QMdiSubWindow* w) { return w->isMaximized(); }))
        Cascade();
    ArrangeIcons();
}
