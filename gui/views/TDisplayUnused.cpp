#include "gui/views/TDisplayUnused.h"

#include "gui/support/Bytes.h"
#include "gui/views/TPaneHost.h"
#include "model/TDefBase.h"
#include "script/TNameTable.h"
#include "script/UnusedElements.h"

#include <QAbstractTableModel>
#include <QHeaderView>

namespace {

// Two columns, "Class" and "Title", read from the elements as rows are painted.
class TUnusedModel : public QAbstractTableModel {
public:
    TUnusedModel(const std::vector<const TDefBase*>& elements, QObject* parent)
        : QAbstractTableModel(parent), elements(elements)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(elements.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() ||
            static_cast<size_t>(index.row()) >= elements.size())
            return {};
        const TDefBase& e = *elements[static_cast<size_t>(index.row())];
        return index.column() == 0 ? bytes::ToText(TNameTable::ClassName(e.kind))
                                   : bytes::ToText(e.Title());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return section == 0 ? QStringLiteral("Class") : QStringLiteral("Title");
    }

private:
    const std::vector<const TDefBase*>& elements;
};

constexpr int kClassWidth = 110;
constexpr int kTitleWidth = 320;

} // namespace

TDisplayUnused::TDisplayUnused(TPaneHost& host, const TDefinedArray& defs, QWidget* parent)
    : TMyListWindow(host, parent), elements(unused::UnusedElements(defs))
{
    SetListModel(new TUnusedModel(elements, this));
    header()->resizeSection(0, kClassWidth);
    header()->resizeSection(1, kTitleWidth);
}

std::string TDisplayUnused::WriteText() const
{
    return unused::UnusedText(elements);
}

const TDefBase* TDisplayUnused::ElementAt(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= elements.size())
        return nullptr;
    return elements[static_cast<size_t>(row)];
}

bool TDisplayUnused::CanOpen(const TDefBase&) const
{
    return true;
}

void TDisplayUnused::Open(const TDefBase& element)
{
    host.OpenDefinition(element);
}
