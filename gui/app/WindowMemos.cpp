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

#include <unordered_map>
#include <utility>

namespace windowmemos {

namespace {

QAbstractScrollArea* ScrollerOf(TChildWindow* child)
{
    if (auto* tree = qobject_cast<TTreeChild*>(child))
        return &tree->Tree();
    return qobject_cast<QAbstractScrollArea*>(child->widget());
}

const TDefBase* ElementOf(const TSpecMDI& mdi, const compare::TTitleIndex& titles,
                          const std::optional<compare::TTitleKey>& key)
{
    if (!key)
        return nullptr;
    const int found = titles.Find(*key);
    return found < 0 ? nullptr : mdi.Document().db.Definitions().At(static_cast<size_t>(found));
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
    const TDefinedArray& defs = mdi.Document().db.Definitions();
    std::vector<TWindowMemo> memos;
    // Each memo's element and selection, made keys once every title asked for is known.
    std::vector<std::pair<int, int>> shown;
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
        shown.emplace_back(key.element, memo.pane.selected ? memo.pane.selected->index : -1);
        memo.pane.selected = nullptr;
        memos.push_back(std::move(memo));
    }
    std::vector<std::string_view> titles;
    for (const auto& [element, selected] : shown)
        for (const int at : {element, selected})
            if (at >= 0)
                titles.push_back(defs.At(static_cast<size_t>(at))->Title());
    const compare::TTitleIndex index(defs, titles);
    for (size_t i = 0; i < memos.size(); ++i) {
        if (shown[i].first >= 0)
            memos[i].element = index.KeyOf(shown[i].first);
        if (shown[i].second >= 0)
            memos[i].selected = index.KeyOf(shown[i].second);
    }
    return memos;
}

int Restore(TSpecMDI& mdi, const std::vector<TWindowMemo>& memos)
{
    std::vector<std::string_view> wanted;
    for (const TWindowMemo& memo : memos)
        for (const auto* key : {&memo.element, &memo.selected})
            if (*key)
                wanted.push_back((*key)->title);
    const compare::TTitleIndex titles(mdi.Document().db.Definitions(), wanted);
    int notOpened = 0;
    std::vector<std::pair<QPointer<TChildWindow>, const TWindowMemo*>> opened;
    TChildWindow* active = nullptr;
    for (const TWindowMemo& memo : memos) {
        if (!Open(mdi, memo, ElementOf(mdi, titles, memo.element))) {
            ++notOpened;
            continue;
        }
        auto* child = qobject_cast<TChildWindow*>(mdi.currentSubWindow());
        if (!child)
            continue;
        if (memo.place.isValid())
            child->setGeometry(memo.place);
        TPaneMemo pane = memo.pane;
        pane.selected = ElementOf(mdi, titles, memo.selected);
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
    const TDefinedArray& defs = mdi.Document().db.Definitions();
    THistoryMemo memo{mdi.History(), {}};
    std::vector<std::string_view> titles;
    for (const int element : memo.history.Entries())
        titles.push_back(defs.At(static_cast<size_t>(element))->Title());
    const compare::TTitleIndex index(defs, titles);
    for (const int element : memo.history.Entries())
        memo.keys.push_back(index.KeyOf(element));
    return memo;
}

void RestoreHistory(TSpecMDI& mdi, THistoryMemo memo)
{
    std::vector<std::string_view> titles;
    for (const compare::TTitleKey& key : memo.keys)
        titles.push_back(key.title);
    const compare::TTitleIndex index(mdi.Document().db.Definitions(), titles);
    std::unordered_map<int, int> now;
    for (size_t i = 0; i < memo.keys.size(); ++i)
        now[memo.history.Entries()[i]] = index.Find(memo.keys[i]);
    memo.history.Remap([&now](int element) { return now.at(element); });
    mdi.SetHistory(std::move(memo.history));
}

} // namespace windowmemos
