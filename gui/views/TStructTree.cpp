#include "gui/views/TStructTree.h"

#include "export/TOutline.h"
#include "gui/support/TIconSet.h"
#include "gui/views/TStructModel.h"
#include "views/NameFilter.h"

#include <QIcon>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

namespace {

// Books show open while their node is expanded; the view knows that, the outline doesn't.
class TBookDelegate : public QStyledItemDelegate {
public:
    explicit TBookDelegate(QTreeView& view)
        : QStyledItemDelegate(&view), view(view), closedBook(TIconSet::Icon(TIconSet::BookClosed)),
          openBook(TIconSet::Icon(TIconSet::BookOpen)), page(TIconSet::Icon(TIconSet::Page))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = !index.data(TStructModel::BookRole).toBool() ? page
                       : view.isExpanded(index)                     ? openBook
                                                                    : closedBook;
    }

private:
    const QTreeView& view;
    QIcon closedBook;
    QIcon openBook;
    QIcon page;
};

} // namespace

TStructTree::TStructTree(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(TIconSet::DesignSize(TIconSet::BookClosed));
    setItemDelegate(new TBookDelegate(*this));
}

void TStructTree::Fill(const TDefinedArray& defs, const std::string& rootCaption)
{
    filterText.clear();
    expandedBeforeFilter.clear();
    TOutline outline;
    outline.Fill(defs, rootCaption);
    QAbstractItemModel* old = model();
    setModel(new TStructModel(std::move(outline), this));
    delete old;
    expand(Outline()->IndexOf(TOutline::Root()));
}

TStructModel* TStructTree::Outline() const
{
    return static_cast<TStructModel*>(model());
}

bool TStructTree::IsLeaf(const QModelIndex& index) const
{
    return index.isValid() && model()->rowCount(index) == 0;
}

int TStructTree::ElementOf(const QModelIndex& index)
{
    const QVariant element = index.data(TStructModel::ElementRole);
    return element.isValid() ? element.toInt() : TOutline::kNone;
}

bool TStructTree::SelectElement(int element)
{
    const TStructModel* structure = Outline();
    if (!structure || structure->Outline().Count() == 0)
        return false;
    const TOutline& outline = structure->Outline();
    std::vector<int> pending{TOutline::Root()};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        const TOutline::TNode& n = outline.Node(node);
        if (n.children.empty() && n.element == element && element != TOutline::kNone) {
            if (!structure->IndexOf(node).isValid()) {
                SetFilter({});
                Q_EMIT FilterCleared();
            }
            const QModelIndex index = structure->IndexOf(node);
            for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
                expand(up);
            setCurrentIndex(index);
            scrollTo(index);
            return true;
        }
        pending.insert(pending.end(), n.children.rbegin(), n.children.rend());
    }
    return false;
}

std::vector<std::string> TStructTree::PathOf(int node) const
{
    const TOutline& outline = Outline()->Outline();
    std::vector<std::string> path;
    for (; node != TOutline::kNone; node = outline.Node(node).parent)
        path.push_back(outline.Node(node).label);
    return {path.rbegin(), path.rend()};
}

int TStructTree::NodeAt(const std::vector<std::string>& path) const
{
    if (path.empty())
        return TOutline::kNone;
    const TOutline& outline = Outline()->Outline();
    int node = TOutline::Root();
    for (size_t depth = 1; depth < path.size() && node != TOutline::kNone; ++depth) {
        const std::vector<int>& children = outline.Node(node).children;
        const auto found = std::find_if(children.begin(), children.end(), [&](int child) {
            return outline.Node(child).label == path[depth];
        });
        node = found == children.end() ? TOutline::kNone : *found;
    }
    return node;
}

std::vector<std::vector<std::string>> TStructTree::ExpandedPaths() const
{
    std::vector<std::vector<std::string>> paths;
    for (const int expanded : filterText.empty() ? ExpandedNodes() : expandedBeforeFilter)
        paths.push_back(PathOf(expanded));
    return paths;
}

void TStructTree::ExpandPaths(const std::vector<std::vector<std::string>>& paths)
{
    for (const std::vector<std::string>& path : paths)
        if (const int node = NodeAt(path); node != TOutline::kNone)
            expand(Outline()->IndexOf(node));
}

std::vector<std::string> TStructTree::CurrentPath() const
{
    const TStructModel* structure = Outline();
    const int node = structure ? structure->NodeOf(currentIndex()) : TOutline::kNone;
    return node == TOutline::kNone ? std::vector<std::string>{} : PathOf(node);
}

void TStructTree::SetCurrentPath(const std::vector<std::string>& path)
{
    const int node = NodeAt(path);
    if (node == TOutline::kNone)
        return;
    const QModelIndex index = Outline()->IndexOf(node);
    if (index.isValid()) {
        setCurrentIndex(index);
        scrollTo(index);
    }
}

std::vector<int> TStructTree::ExpandedNodes() const
{
    const TStructModel* structure = Outline();
    std::vector<int> expanded;
    std::vector<int> pending{TOutline::Root()};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        if (!isExpanded(structure->IndexOf(node)))
            continue;
        expanded.push_back(node);
        const auto& children = structure->Outline().Node(node).children;
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return expanded;
}

void TStructTree::SetFilter(const std::string& text)
{
    TStructModel* structure = Outline();
    if (!structure || structure->Outline().Count() == 0 || text == filterText)
        return;
    const int current = structure->NodeOf(currentIndex());
    if (filterText.empty())
        expandedBeforeFilter = ExpandedNodes();
    filterText = text;
    // Right after a reset the view only notes what to expand and lays out once, when shown.
    if (text.empty()) {
        structure->ClearFilter();
        for (const int node : expandedBeforeFilter)
            expand(structure->IndexOf(node));
        expandedBeforeFilter.clear();
    } else {
        structure->SetFilter(filter::TKeptNodes(structure->Outline(), text));
        for (const int node : structure->Kept()->Expanded())
            expand(structure->IndexOf(node));
    }
    const QModelIndex index = structure->IndexOf(current);
    if (!index.isValid())
        return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    setCurrentIndex(index);
    scrollTo(index);
}
