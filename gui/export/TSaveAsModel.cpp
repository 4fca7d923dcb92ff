#include "gui/export/TSaveAsModel.h"

#include <vector>

TSaveAsModel::TSaveAsModel(TOutline outline, const TDefinedArray& defs, QObject* parent)
    : TStructModel(std::move(outline), parent), selection(Outline(), defs)
{
}

TCheckState TSaveAsModel::State(const QModelIndex& index) const
{
    return selection.State(NodeOf(index));
}

void TSaveAsModel::ApplyQuickSelection(unsigned bits)
{
    selection.ApplyQuickSelection(bits);
    if (Outline().Count() > 0)
        SubtreeChanged(TOutline::Root());
}

void TSaveAsModel::Toggle(const QModelIndex& index)
{
    const int node = NodeOf(index);
    if (node == TOutline::kNone)
        return;
    selection.Toggle(node);
    SubtreeChanged(node);
    for (int up = Outline().Node(node).parent; up != TOutline::kNone;
         up = Outline().Node(up).parent) {
        const QModelIndex ancestor = IndexOf(up);
        Q_EMIT dataChanged(ancestor, ancestor, {Qt::CheckStateRole});
    }
    Q_EMIT Toggled(index);
}

// One signal per run of siblings rather than one per node: a quick selection changes every node.
void TSaveAsModel::SubtreeChanged(int node)
{
    const QModelIndex top = IndexOf(node);
    Q_EMIT dataChanged(top, top, {Qt::CheckStateRole});
    std::vector<int> pending{node};
    while (!pending.empty()) {
        const TOutline::TNode& n = Outline().Node(pending.back());
        pending.pop_back();
        if (n.children.empty())
            continue;
        Q_EMIT dataChanged(IndexOf(n.children.front()), IndexOf(n.children.back()),
                           {Qt::CheckStateRole});
        pending.insert(pending.end(), n.children.begin(), n.children.end());
    }
}

void TSaveAsModel::WriteChecked(std::ostream& out, const std::string& databaseName,
                                TDisplayHost& host)
{
    selection.WriteChecked(out, databaseName, host);
}

QVariant TSaveAsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::CheckStateRole || !index.isValid())
        return TStructModel::data(index, role);
    switch (State(index)) {
    case TCheckState::Unchecked:
        return Qt::Unchecked;
    case TCheckState::Partly:
        return Qt::PartiallyChecked;
    case TCheckState::Checked:
        return Qt::Checked;
    }
    return {};
}

Qt::ItemFlags TSaveAsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = TStructModel::flags(index);
    if (index.isValid())
        result |= Qt::ItemIsUserCheckable;
    return result;
}

bool TSaveAsModel::setData(const QModelIndex& index, const QVariant&, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid())
        return false;
    Toggle(index);
    return true;
}
