#include "gui/views/TStructModel.h"

#include "gui/support/Bytes.h"

#include <QFont>

#include <utility>

TStructModel::TStructModel(TOutline outline, QObject* parent)
    : QAbstractItemModel(parent), outline(std::move(outline))
{
}

int TStructModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<int>(index.internalId()) : TOutline::kNone;
}

QModelIndex TStructModel::IndexOf(int node) const
{
    if (node < 0 || static_cast<size_t>(node) >= outline.Count())
        return {};
    if (kept)
        return kept->Kept(node) ? createIndex(kept->Row(node), 0, static_cast<quintptr>(node))
                                : QModelIndex();
    return createIndex(outline.Node(node).row, 0, static_cast<quintptr>(node));
}

void TStructModel::SetFilter(filter::TKeptNodes nodes)
{
    beginResetModel();
    kept = std::move(nodes);
    endResetModel();
}

void TStructModel::ClearFilter()
{
    beginResetModel();
    kept.reset();
    endResetModel();
}

QModelIndex TStructModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || outline.Count() == 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? IndexOf(TOutline::Root()) : QModelIndex();
    const int node = NodeOf(parent);
    if (kept) {
        const int child = kept->Child(node, row);
        return child < 0 ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(child));
    }
    const auto& children = outline.Node(node).children;
    if (static_cast<size_t>(row) >= children.size())
        return {};
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<size_t>(row)]));
}

QModelIndex TStructModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return IndexOf(outline.Node(NodeOf(index)).parent);
}

int TStructModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return outline.Count() == 0 ? 0 : 1;
    if (kept)
        return kept->ChildCount(NodeOf(parent));
    return static_cast<int>(outline.Node(NodeOf(parent)).children.size());
}

void TStructModel::SetMarked(const std::vector<int>& elements)
{
    marked.assign(elements.empty() ? 0 : outline.Count(), false);
    if (elements.empty())
        return;
    std::vector<bool> isMarked;
    for (const int element : elements) {
        if (element >= static_cast<int>(isMarked.size()))
            isMarked.resize(static_cast<size_t>(element) + 1);
        isMarked[static_cast<size_t>(element)] = true;
    }
    for (size_t id = 0; id < outline.Count(); ++id) {
        const int element = outline.Node(static_cast<int>(id)).element;
        if (element < 0 || element >= static_cast<int>(isMarked.size()) ||
            !isMarked[static_cast<size_t>(element)])
            continue;
        for (int node = static_cast<int>(id);
             node != TOutline::kNone && !marked[static_cast<size_t>(node)];
             node = outline.Node(node).parent)
            marked[static_cast<size_t>(node)] = true;
    }
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(0, 0));
}

int TStructModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TStructModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TOutline::TNode& node = outline.Node(NodeOf(index));
    switch (role) {
    case Qt::DisplayRole:
        return bytes::ToText(node.label);
    case ElementRole:
        return node.element == TOutline::kNone ? QVariant() : QVariant(node.element);
    case BookRole:
        return node.book;
    case Qt::FontRole:
        if (IsMarked(NodeOf(index))) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}
