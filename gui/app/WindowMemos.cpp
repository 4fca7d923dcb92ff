#include "gui/app/WindowMemos.h"

#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayWindow.h"
#include "gui/views/TDocument.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QPointer>
#include <QScrollBar>

#include <utility>

namespace windowmemos {

namespace {

QAbstractScrollArea* ScrollerOf(TChildWindow* child)
{
    if (auto* tree = qobject_cast<TTreeChild*>(child))
        return &tree->Tree();
    return qobject_cast<QAbstractScrollArea*>(child->widget());
}

const TDefBase* ElementOf(const TSpecMDI& mdi, int element)
{
    return element < 0 ? nullptr : mdi.Document().db.Definitions().At(static_cast<size_t>(element));
}

// Opens the window the memo stands for; false when this design can't show it.
bool Open(TSpecMDI& mdi, const TWindowMemo& memo, const TDefBase* element)
{
    switch (memo.role) {
    case TChildKey::Structure:
        mdi.ShowStructure();
        return true;
    case TChildKey::Messages:
        mdi.ShowMessages();
        return true;
    case TChildKey::Relationships:
        mdi.ShowRelationships(nullptr);
        return true;
    case TChildKey::Index:
        mdi.ShowIndex(nullptr);
        return true;
    case TChildKey::Unused:
        mdi.ShowUnused();
        return true;
    case TChildKey::Find:
        return mdi.ShowFind(memo.text, true);
    case TChildKey::Definition:
        if (element)
            mdi.OpenPane(*element, static_cast<TPaneKind>(memo.paneKind));
        return element != nullptr;
    case TChildKey::UsedBy:
        if (element)
            mdi.ShowUsedBy(*element);
        return element != nullptr;
    case TChildKey::FocusedDiagram:
        if (element)
            mdi.OpenFocusedDiagram(*element, memo.depth);
        return element != nullptr;
    case TChildKey::Differences:
        return false;
    }
    return false;
}

} // namespace

std::vector<TWindowMemo> Take(const TSpecMDI& mdi)
{
    std::vector<TWindowMemo> memos;
    // Each memo's element and selection, made keys together.
    std::vector<int> shown;
    for (QMdiSubWindow* sub : mdi.subWindowList(QMdiArea::StackingOrder)) {
        auto* child = qobject_cast<TChildWindow*>(sub);
        if (!child)
            continue;
        TWindowMemo memo;
        const TChildKey key = child->Key();
        memo.role = key.role;
        if (auto* display = qobject_cast<TDisplayChild*>(child)) {
            if (auto* pane = qobject_cast<TDisplayWindow*>(display->Pane()))
                memo.paneKind = static_cast<int>(pane->Kind());
            if (auto* browser = qobject_cast<TDisplayBrowser*>(display->Pane()))
                memo.depth = browser->Depth();
        }
        if (key.role == TChildKey::Find)
            memo.text = child->ContentPane().State().selectedName;
        memo.minimised = child->isMinimized();
        memo.maximised = child->isMaximized();
        memo.active = child == mdi.currentSubWindow();
        memo.place = memo.minimised || memo.maximised ? child->normalGeometry() : child->geometry();
        if (QAbstractScrollArea* scroller = ScrollerOf(child))
            memo.scroll = {scroller->horizontalScrollBar()->value(),
                           scroller->verticalScrollBar()->value()};
        memo.pane = child->ContentPane().Memo();
        shown.push_back(key.element);
        shown.push_back(memo.pane.selected ? memo.pane.selected->index : -1);
        memo.pane.selected = nullptr;
        memos.push_back(std::move(memo));
    }
    std::vector<std::optional<compare::TTitleKey>> keys =
        compare::KeysOf(mdi.Document().db.Definitions(), shown);
    for (size_t i = 0; i < memos.size(); ++i) {
        memos[i].element = std::move(keys[2 * i]);
        memos[i].selected = std::move(keys[2 * i + 1]);
    }
    return memos;
}

int Restore(TSpecMDI& mdi, const std::vector<TWindowMemo>& memos)
{
    std::vector<std::optional<compare::TTitleKey>> keys;
    for (const TWindowMemo& memo : memos) {
        keys.push_back(memo.element);
        keys.push_back(memo.selected);
    }
    // Each memo's element and selection in this design.
    const std::vector<int> found = compare::ElementsOf(mdi.Document().db.Definitions(), keys);
    int notOpened = 0;
    std::vector<std::pair<QPointer<TChildWindow>, const TWindowMemo*>> opened;
    TChildWindow* active = nullptr;
    for (size_t i = 0; i < memos.size(); ++i) {
        const TWindowMemo& memo = memos[i];
        if (!Open(mdi, memo, ElementOf(mdi, found[2 * i]))) {
            ++notOpened;
            continue;
        }
        auto* child = qobject_cast<TChildWindow*>(mdi.currentSubWindow());
        if (!child)
            continue;
        if (memo.place.isValid())
            child->setGeometry(memo.place);
        TPaneMemo pane = memo.pane;
        pane.selected = ElementOf(mdi, found[2 * i + 1]);
        child->ContentPane().Recall(pane);
        opened.emplace_back(child, &memo);
        if (memo.active)
            active = child;
    }
    // The lists lay their rows out when events are next handled; only then do the scroll bars
    // reach as far as they did.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    for (const auto& [child, memo] : opened) {
        if (!child)
            continue;
        if (QAbstractScrollArea* scroller = ScrollerOf(child)) {
            scroller->horizontalScrollBar()->setValue(memo->scroll.x());
            scroller->verticalScrollBar()->setValue(memo->scroll.y());
        }
        if (memo->maximised)
            child->showMaximized();
        else if (memo->minimised)
            child->showMinimized();
    }
    if (active && mdi.subWindowList().contains(active))
        mdi.setActiveSubWindow(active);
    return notOpened;
}

THistoryMemo TakeHistory(const TSpecMDI& mdi)
{
    const TNavigationHistory& history = mdi.History();
    return {history, compare::KeysOf(mdi.Document().db.Definitions(), history.Entries())};
}

void RestoreHistory(TSpecMDI& mdi, THistoryMemo memo)
{
    memo.history.Remap(compare::ElementsOf(mdi.Document().db.Definitions(), memo.keys));
    mdi.SetHistory(std::move(memo.history));
}

} // namespace windowmemos
