#include "gui/app/TSpecMDI.h"

#include "export/SaveAsText.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/diagram/TFocusDepthDialog.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TMyMessage.h"
#include "gui/support/TWaitCursor.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayChoice.h"
#include "gui/views/TDisplayFields.h"
#include "gui/views/TDisplayFind.h"
#include "gui/views/TDisplayIndex.h"
#include "gui/views/TDisplayList.h"
#include "gui/views/TDisplayLog.h"
#include "gui/views/TDisplayOptions.h"
#include "gui/views/TDisplayPicture.h"
#include "gui/views/TDisplayPrintSettings.h"
#include "gui/views/TDisplayReport.h"
#include "gui/views/TDisplayTable.h"
#include "gui/views/TDisplayUnused.h"
#include "gui/views/TDisplayUsed.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "model/TUsedSet.h"
#include "script/FindInScripts.h"
#include "views/HostLayouts.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

constexpr int kPlacements = 7;
constexpr int kDisplayPointSize = 9;

int HelpContextOf(TPaneKind pane)
{
    switch (pane) {
    case TPaneKind::Choice:
        return helpids::ChoicePane;
    case TPaneKind::Fields:
        return helpids::FieldsPane;
    case TPaneKind::Picture:
        return helpids::PicturePane;
    case TPaneKind::List:
        return helpids::ListPane;
    case TPaneKind::Options:
        return helpids::OptionsPane;
    case TPaneKind::PrintSettings:
        return helpids::PrintSettingsPane;
    case TPaneKind::Table:
        return helpids::TablePane;
    case TPaneKind::Report:
        return helpids::ReportPane;
    }
    return 0;
}

TDisplayWindow* MakePane(TPaneKind pane, TPaneHost& host, TDefBase& element)
{
    switch (pane) {
    case TPaneKind::Choice:
        return new TDisplayChoice(host, element);
    case TPaneKind::Fields:
        return new TDisplayFields(host, element);
    case TPaneKind::Picture:
        return new TDisplayPicture(host, element);
    case TPaneKind::List:
        return new TDisplayList(host, element);
    case TPaneKind::Options:
        return new TDisplayOptions(host, element);
    case TPaneKind::PrintSettings:
        return new TDisplayPrintSettings(host, element);
    case TPaneKind::Table:
        return new TDisplayTable(host, element);
    case TPaneKind::Report:
        return new TDisplayReport(host, element);
    }
    return nullptr;
}

TDisplayWindow* DefinitionPane(QMdiSubWindow* window)
{
    auto* child = qobject_cast<TDisplayChild*>(window);
    return child ? qobject_cast<TDisplayWindow*>(child->Pane()) : nullptr;
}

} // namespace

TSpecMDI::TSpecMDI(const std::string& logPath, QWidget* parent)
    : QMdiArea(parent), db(logPath),
      displayFont(QFontDatabase::systemFont(QFontDatabase::FixedFont))
{
    displayFont.setPointSize(kDisplayPointSize);
    db.ClearLog();
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
    for (QMdiSubWindow* sub : subWindowList()) {
        auto* child = qobject_cast<TChildWindow*>(sub);
        if (child && child->Key() == key)
            return child;
    }
    return nullptr;
}

void TSpecMDI::DeleteChildren()
{
    for (QMdiSubWindow* sub : subWindowList())
        delete sub;
}

bool TSpecMDI::ReadFile(const QString& folder)
{
    const std::string path = bytes::PathBytes(folder);
    TDatabase::TOpenedFile file = TDatabase::Open(path);
    if (!file) {
        ShowError(TDatabase::MissingPath(path), "File Missing");
        return false;
    }
    // Once the file is open, reading it can't fail: only now do the windows go.
    DeleteChildren();
    history.Clear();
    placement = 0;
    {
        TWaitCursor wait;
        db.Load(file);
        if (db.InternalError().empty())
            ShowStructure();
    }
    Q_EMIT Loaded();
    if (!db.InternalError().empty())
        ShowError(db.InternalError(), "Internal Error");
    // More than the "Reading " line and the summary.
    if (db.Log().Count() > 2)
        ShowMessages();
    return true;
}

int TSpecMDI::ActiveTreeLeaf() const
{
    if (!treeChild || activeSubWindow() != treeChild)
        return -1;
    const int element = treeChild->Tree().SelectedLeafElement();
    return element >= 0 ? element : -1;
}

void TSpecMDI::OpenActiveTreeLeaf()
{
    const int element = ActiveTreeLeaf();
    if (element >= 0)
        OpenElementAt(element, false);
}

void TSpecMDI::ShowActiveTreeLeafUsers()
{
    const int element = ActiveTreeLeaf();
    if (element < 0 || static_cast<size_t>(element) >= db.Definitions().Count())
        return;
    TDefBase& e = *db.Definitions().At(static_cast<size_t>(element));
    if (e.users && !e.users->empty())
        ShowUsedBy(e);
}

void TSpecMDI::ShowStructure(int element)
{
    if (treeChild) {
        setActiveSubWindow(treeChild);
        treeChild->showNormal();
    } else {
        treeChild = new TTreeChild(db.Definitions(), db.Name());
        connect(&treeChild->Tree(), &TSpecTree::OpenRequested, this, &TSpecMDI::OpenElementAt);
        connect(&treeChild->Tree(), &TSpecTree::SelectionMoved, this,
                &TSpecMDI::TreeSelectionMoved);
        connect(treeChild, &TTreeChild::WidthChanged, this, &TSpecMDI::SetTreeColumn);
        addSubWindow(treeChild);
        treeChild->Place(treeColumn, viewport()->height());
        treeChild->show();
        setActiveSubWindow(treeChild);
    }
    if (element >= 0)
        treeChild->Tree().SelectElement(element);
}

void TSpecMDI::ShowMessages()
{
    if (ActivateChild({TChildKey::Messages}))
        return;
    auto* log = new TDisplayLog(db.Log(), displayFont, &db.Definitions());
    connect(log->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSpecMDI::PaneSelectionMoved);
    connect(log->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TSpecMDI::PaneSelectionMoved);
    connect(log, &TDisplayLog::OpenRequested, this,
            [this](TDefBase& element) { OpenDefinition(element); });
    AddChild(
        new TDisplayChild(tr("Messages"), {TChildKey::Messages}, log, helpids::MessagesWindow));
}

void TSpecMDI::ShowUnused()
{
    if (ActivateChild({TChildKey::Unused}) || !db.Loaded())
        return;
    AddChild(new TDisplayChild(QStringLiteral("Unused Elements"), {TChildKey::Unused},
                               new TDisplayUnused(*this, db.Definitions()),
                               helpids::UnusedElements));
}

void TSpecMDI::RecordActivation(QMdiSubWindow* window)
{
    const auto* child = qobject_cast<TChildWindow*>(window);
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

void TSpecMDI::ShowFind(const std::string& text)
{
    for (QMdiSubWindow* sub : subWindowList()) {
        auto* child = qobject_cast<TDisplayChild*>(sub);
        auto* find = child ? qobject_cast<TDisplayFind*>(child->Pane()) : nullptr;
        if (find && find->Text() == text) {
            Activate(child);
            return;
        }
    }
    std::vector<search::TScriptHit> hits;
    {
        TWaitCursor wait;
        hits = search::FindInScripts(db.Definitions(), text);
    }
    if (hits.empty()) {
        Explain(QStringLiteral("No script holds \"%1\".").arg(bytes::ToText(text)),
                QStringLiteral("Find in Scripts"), helpids::FindInScripts);
        return;
    }
    AddChild(new TDisplayChild(QStringLiteral("Find: ") + bytes::ToText(text), {TChildKey::Find},
                               new TDisplayFind(*this, text, std::move(hits)),
                               helpids::FindInScripts));
}

std::string TSpecMDI::SelectedName() const
{
    const int leaf = ActiveTreeLeaf();
    if (leaf >= 0 && static_cast<size_t>(leaf) < db.Definitions().Count())
        return db.Definitions().At(static_cast<size_t>(leaf))->name;
    auto* child = qobject_cast<TDisplayChild*>(currentSubWindow());
    QWidget* pane = child ? child->Pane() : nullptr;
    if (const auto* find = qobject_cast<TDisplayFind*>(pane))
        return find->Text();
    if (const auto* list = qobject_cast<TMyListWindow*>(pane))
        return list->SelectedElement() ? list->SelectedElement()->name : std::string();
    if (const auto* window = qobject_cast<TDisplayWindow*>(pane)) {
        const TScriptPiece* piece = window->Selected();
        return piece && piece->target ? piece->target->name : std::string();
    }
    return {};
}

TPane* TSpecMDI::ActivePane() const
{
    auto* child = qobject_cast<TDisplayChild*>(currentSubWindow());
    return child ? dynamic_cast<TPane*>(child->Pane()) : nullptr;
}

void TSpecMDI::OpenElementAt(int element, bool onlyActivate)
{
    if (element >= 0 && static_cast<size_t>(element) < db.Definitions().Count())
        OpenDefinition(*db.Definitions().At(static_cast<size_t>(element)), onlyActivate);
}

void TSpecMDI::OpenDefinition(TDefBase& element, bool onlyActivate)
{
    TDefBase* shown = &element;
    if ((shown->kind == kinds::Field || shown->kind == kinds::Word) && shown->owner)
        shown = shown->owner;
    if (shown->kind == kinds::Alias || shown->kind == kinds::Variable ||
        shown->kind == kinds::BuiltIn) {
        const bool type = shown->kind == kinds::BuiltIn;
        Explain(bytes::ToText(shown->name) + QStringLiteral(" is a built-in ") +
                    (type ? QStringLiteral("type") : QStringLiteral("value")),
                QStringLiteral("Element Definition"),
                type ? helpids::BuiltInType : helpids::BuiltInValue);
        return;
    }
    shown->Display(*this, onlyActivate);
}

bool TSpecMDI::ActivateDefinition(const TDefBase& element)
{
    TChildWindow* child = FindChild({TChildKey::Definition, element.index});
    if (!child)
        return false;
    if (TDisplayWindow* pane = DefinitionPane(child))
        pane->ClearSelection();
    return ActivateChild(child->Key());
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

void TSpecMDI::OpenDefinition(TDefBase& element, TPaneKind pane)
{
    TDisplayWindow* shown = MakePane(pane, *this, element);
    if (!shown)
        return;
    AddChild(new TDisplayChild(bytes::ToText(element.Title()),
                               {TChildKey::Definition, element.index}, shown, HelpContextOf(pane),
                               shown->Extent()));
}

void TSpecMDI::OpenDefinition(TDefBase& element)
{
    OpenDefinition(element, false);
}

void TSpecMDI::ShowUsedBy(TDefBase& element)
{
    const TChildKey key{TChildKey::UsedBy, element.index};
    if (ActivateChild(key))
        return;
    AddChild(new TDisplayChild(bytes::ToText(element.Title()) + QStringLiteral(" used by"), key,
                               new TDisplayUsed(*this, element), helpids::UsedByWindow));
}

void TSpecMDI::ShowStructure(const TDefBase* element)
{
    ShowStructure(element ? element->index : -1);
}

void TSpecMDI::ShowIndex(const TDefBase* element)
{
    if (!ActivateChild({TChildKey::Index}))
        AddChild(new TDisplayChild(QStringLiteral("Index of Elements"), {TChildKey::Index},
                                   new TDisplayIndex(*this), helpids::IndexWindow));
    auto* child = qobject_cast<TDisplayChild*>(FindChild({TChildKey::Index}));
    auto* index = child ? qobject_cast<TDisplayIndex*>(child->Pane()) : nullptr;
    if (index && element)
        index->SelectElement(*element);
}

void TSpecMDI::ShowRelationships(const TDefBase* element)
{
    if (!ActivateChild({TChildKey::Relationships})) {
        TWaitCursor wait;
        auto* browser = new TDisplayBrowser(*this);
        auto* child = new TDisplayChild(browser->Caption(), {TChildKey::Relationships}, browser,
                                        helpids::RelationshipsWindow);
        connect(browser, &TDisplayBrowser::CaptionChanged, child, &QWidget::setWindowTitle);
        AddChild(child);
    }
    if (TDisplayBrowser* browser = ActiveBrowser())
        browser->SelectElement(element);
}

void TSpecMDI::ShowFocusedDiagram(TDefBase& picture)
{
    TFocusDepthDialog dialog(this, bytes::ToText(picture.Title()), focusDepth);
    connect(&dialog, &TFocusDepthDialog::HelpRequested, this, &TSpecMDI::HelpRequested);
    if (dialog.exec() != QDialog::Accepted)
        return;
    focusDepth = dialog.Depth();
    OpenFocusedDiagram(picture, focusDepth);
}

void TSpecMDI::OpenFocusedDiagram(TDefBase& picture, int depth)
{
    const TChildKey key{TChildKey::FocusedDiagram, picture.index};
    TWaitCursor wait;
    if (ActivateChild(key)) {
        if (TDisplayBrowser* browser = ActiveBrowser())
            browser->Refocus(depth);
        return;
    }
    auto* browser = new TDisplayBrowser(*this, picture, depth);
    auto* child = new TDisplayChild(browser->Caption(), key, browser, helpids::FocusedDiagram);
    connect(browser, &TDisplayBrowser::CaptionChanged, child, &QWidget::setWindowTitle);
    AddChild(child);
    browser->SelectElement(&picture);
}

TDisplayBrowser* TSpecMDI::ActiveBrowser() const
{
    auto* child = qobject_cast<TDisplayChild*>(currentSubWindow());
    return child ? qobject_cast<TDisplayBrowser*>(child->Pane()) : nullptr;
}

TFilterBox* TSpecMDI::ActiveFilterBox() const
{
    if (treeChild && currentSubWindow() == treeChild)
        return &treeChild->FilterBox();
    auto* child = qobject_cast<TDisplayChild*>(currentSubWindow());
    auto* index = child ? qobject_cast<TDisplayIndex*>(child->Pane()) : nullptr;
    return index ? &index->FilterBox() : nullptr;
}

void TSpecMDI::Explain(const QString& text, const QString& caption, int helpContext)
{
    TMyMessage message(this, text, caption, helpContext);
    connect(&message, &TMyMessage::HelpRequested, this, &TSpecMDI::HelpRequested);
    message.exec();
}

void TSpecMDI::ShowInScript(TDefPicture& script, size_t line, size_t offset, size_t length)
{
    TDefBase& shown = panes::ScriptHost(script);
    OpenDefinition(shown, false);
    if (TDisplayWindow* pane = DefinitionPane(FindChild({TChildKey::Definition, shown.index})))
        pane->ShowText(script, line, offset, length);
}

void TSpecMDI::CopyText(TDefBase& element)
{
    std::ostringstream text;
    CopyElementText(db.Definitions(), element, text, *this);
    QApplication::clipboard()->setText(bytes::ToText(text.str()));
}

void TSpecMDI::SelectionChanged()
{
    Q_EMIT PaneSelectionMoved();
}

void TSpecMDI::ShowError(std::string_view text, std::string_view caption)
{
    QMessageBox::critical(this, bytes::ToText(caption), bytes::ToText(text));
}

void TSpecMDI::AddChild(TDisplayChild* child)
{
    addSubWindow(child);
    const QRect place = PlaceChild(child->RequestedSize());
    child->setGeometry(QRect(place.topLeft(), place.size().expandedTo(child->minimumSizeHint())));
    child->show();
    setActiveSubWindow(child);
}

int TSpecMDI::CaptionHeight() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
}

QRect TSpecMDI::PlaceChild(QSize content)
{
    const QStyle* s = style();
    const int c = CaptionHeight();
    const int frame = s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int scrollBar = s->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int k = placement;
    placement = (k + 1) % kPlacements;
    const QSize client = viewport()->size();
    const int width =
        std::min(client.width() - treeColumn - 6 * c, content.width() + scrollBar + 3 * frame);
    const int height =
        std::min(client.height() - 6 * c, content.height() + scrollBar + c + 3 * frame);
    return {treeColumn + k * c, k * c, width, height};
}

QRect TSpecMDI::ArrangeRect() const
{
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    QRect rect = viewport()->rect();
    rect.setLeft(treeColumn);
    rect.setRight(rect.right() - frame);
    rect.setBottom(rect.bottom() - frame);
    return rect;
}

QList<QMdiSubWindow*> TSpecMDI::Arranged(bool minimised) const
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : subWindowList(QMdiArea::StackingOrder)) {
        if (sub != treeChild && !sub->isHidden() && sub->isMinimized() == minimised)
            windows.append(sub);
    }
    return windows;
}

void TSpecMDI::Cascade()
{
    const QList<QMdiSubWindow*> windows = Arranged(false);
    const QRect rect = ArrangeRect();
    if (windows.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    const int step = std::max(1, CaptionHeight());
    // As many steps as keep each window at least half the rectangle's size.
    const int maxSteps = std::max(1, std::min(rect.width(), rect.height()) / 2 / step + 1);
    const int steps = std::min(static_cast<int>(windows.size()), maxSteps);
    const QSize size(rect.width() - (steps - 1) * step, rect.height() - (steps - 1) * step);
    setUpdatesEnabled(false);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const int k = static_cast<int>(i % steps);
        windows[i]->showNormal();
        windows[i]->setGeometry(QRect(rect.topLeft() + QPoint(k * step, k * step), size));
    }
    setUpdatesEnabled(true);
}

void TSpecMDI::Tile()
{
    const QList<QMdiSubWindow*> windows = Arranged(false);
    const QRect rect = ArrangeRect();
    if (windows.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    // Columns of windows one above another; the last columns take one more when n does not
    // divide evenly.
    const int n = static_cast<int>(windows.size());
    const int columns = std::max(1, static_cast<int>(std::sqrt(n)));
    setUpdatesEnabled(false);
    int next = 0;
    for (int column = 0; column < columns; ++column) {
        const int rows = n / columns + (column >= columns - n % columns ? 1 : 0);
        const int left = rect.left() + rect.width() * column / columns;
        const int right = rect.left() + rect.width() * (column + 1) / columns;
        for (int row = 0; row < rows; ++row, ++next) {
            const int top = rect.top() + rect.height() * row / rows;
            const int bottom = rect.top() + rect.height() * (row + 1) / rows;
            windows[next]->showNormal();
            windows[next]->setGeometry(left, top, right - left, bottom - top);
        }
    }
    setUpdatesEnabled(true);
}

void TSpecMDI::ArrangeIcons()
{
    const QRect rect = ArrangeRect();
    QPoint at(rect.left(), rect.bottom() + 1);
    for (QMdiSubWindow* icon : Arranged(true)) {
        const QSize size = icon->size();
        if (at.x() > rect.left() && at.x() + size.width() > rect.right() + 1)
            at = QPoint(rect.left(), at.y() - size.height());
        icon->move(at.x(), at.y() - size.height());
        at.rx() += size.width();
    }
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
}
