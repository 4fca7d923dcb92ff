#include "export/TOutline.h"

#include "export/TOwnerIndex.h"
#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefRepBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>

namespace {

const char* CategoryOf(int kind)
{
    switch (kind) {
    case kinds::Group:
        return "Groups";
    case kinds::Choice:
        return "Choices";
    case kinds::Record:
        return "Records";
    case kinds::PlanPicture:
        return "Plan Pictures";
    case kinds::List:
        return "Lists";
    case kinds::AncestorChart:
    case kinds::DescendantChart:
    case kinds::TreeChart:
        return "Charts";
    default:
        return nullptr;
    }
}

const char* PartLabel(int kind)
{
    switch (kind) {
    case kinds::Field:
        return "Fields";
    case kinds::PrintSettings:
        return "Print Settings";
    case kinds::Picture:
        return "Pictures";
    case kinds::EditPanel:
        return "Edit Panels";
    case kinds::Table:
        return "Tables";
    case kinds::Report:
        return "Reports";
    default:
        return "???";
    }
}

// Orders tables or reports by type, and finds a name among them, ignoring letter case.
struct TTypeLess {
    bool operator()(const TDefRepBase* a, const TDefRepBase* b) const
    {
        return names::Compare(a->type, b->type) < 0;
    }
    bool operator()(const TDefRepBase* a, std::string_view b) const
    {
        return names::Compare(a->type, b) < 0;
    }
    bool operator()(std::string_view a, const TDefRepBase* b) const
    {
        return names::Compare(a, b->type) < 0;
    }
};

// The tables or reports of the record's type that come after it in the array, in array order.
std::span<const TDefRepBase* const> AfterOfType(const std::vector<const TDefRepBase*>& sorted,
                                                const TDefBase& record)
{
    const auto [first, last] =
        std::equal_range(sorted.begin(), sorted.end(), std::string_view(record.name), TTypeLess{});
    const auto after =
        std::upper_bound(first, last, record.index, [](int index, const TDefRepBase* element) {
            return index < element->index;
        });
    return {after, last};
}

} // namespace

int TOutline::Append(int parent, std::string label, bool book, int element)
{
    const int id = static_cast<int>(nodes.size());
    TNode node;
    node.label = std::move(label);
    node.book = book;
    node.element = element;
    node.parent = parent;
    if (parent != kNone) {
        TNode& p = nodes[static_cast<size_t>(parent)];
        node.row = static_cast<int>(p.children.size());
        p.children.push_back(id);
    }
    nodes.push_back(std::move(node));
    return id;
}

void TOutline::Fill(const TDefinedArray& defs, const std::string& rootCaption)
{
    nodes.clear();
    Append(kNone, rootCaption, true);
    const TOwnerIndex owned(defs);
    TByType byType;
    for (const auto& e : defs) {
        if (e->kind == kinds::Table)
            byType.tables.push_back(static_cast<const TDefRepBase*>(e.get()));
        else if (e->kind == kinds::Report)
            byType.reports.push_back(static_cast<const TDefRepBase*>(e.get()));
    }
    // Stable, so elements of one type stay in array order.
    std::stable_sort(byType.tables.begin(), byType.tables.end(), TTypeLess{});
    std::stable_sort(byType.reports.begin(), byType.reports.end(), TTypeLess{});

    std::vector<std::pair<const char*, int>> categories;
    bool haveOptions = false;
    for (const auto& e : defs) {
        const int kind = e->kind;
        if (kind == kinds::Options) {
            if (!haveOptions)
                Append(Root(), "Options", false, e->index);
            haveOptions = true;
            continue;
        }
        const char* category = CategoryOf(kind);
        if (!category)
            continue;
        auto found = std::find_if(categories.begin(), categories.end(), [&](const auto& c) {
            return std::string_view(c.first) == category;
        });
        if (found == categories.end()) {
            categories.emplace_back(category, Append(Root(), category, true));
            found = categories.end() - 1;
        }
        const bool hasParts = kind == kinds::Group || kind == kinds::Record || kinds::IsChart(kind);
        const int node = Append(found->second, e->name, hasParts, hasParts ? kNone : e->index);
        if (kind == kinds::Group) {
            for (int part : {kinds::Field, kinds::Picture})
                AddParts(node, *e, part, owned, byType);
        } else if (kind == kinds::Record) {
            for (int part :
                 {kinds::Field, kinds::Picture, kinds::EditPanel, kinds::Table, kinds::Report})
                AddParts(node, *e, part, owned, byType);
        } else if (kinds::IsChart(kind)) {
            for (int part : {kinds::Picture, kinds::PrintSettings})
                AddParts(node, *e, part, owned, byType);
        }
        // A group, record or chart without parts is a leaf that stands for itself.
        if (hasParts && IsLeaf(node))
            nodes[static_cast<size_t>(node)].element = e->index;
    }
}

void TOutline::AddParts(int node, const TDefBase& element, int partKind, const TOwnerIndex& owned,
                        const TByType& byType)
{
    if (partKind == kinds::Table || partKind == kinds::Report) {
        const auto parts =
            AfterOfType(partKind == kinds::Table ? byType.tables : byType.reports, element);
        if (parts.empty())
            return;
        const int label = Append(node, PartLabel(partKind), true);
        for (const TDefRepBase* part : parts) {
            const int partNode = Append(label, part->name, true);
            Append(partNode, "Layout", false, part->index);
            AddParts(partNode, *part, kinds::Picture, owned, byType);
            AddParts(partNode, *part, kinds::PrintSettings, owned, byType);
        }
        return;
    }
    int label = kNone;
    for (const TDefBase* part : owned.Owned(element)) {
        if (part->kind != partKind)
            continue;
        // Fields and print settings get one leaf between them: the fields' leaf stands for their
        // group or record, the print settings' leaf for the first print settings.
        if (partKind == kinds::Field) {
            Append(node, PartLabel(partKind), false, element.index);
            return;
        }
        if (partKind == kinds::PrintSettings) {
            Append(node, PartLabel(partKind), false, part->index);
            return;
        }
        if (label == kNone)
            label = Append(node, PartLabel(partKind), true);
        Append(label, part->name, false, part->index);
    }
}
