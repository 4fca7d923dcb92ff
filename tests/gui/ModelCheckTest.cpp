#include "ModelCheck.h"

#include <QAbstractListModel>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// Two rows; with a fault, the first answers an alignment that is no alignment.
class TTwoRows : public QAbstractListModel {
public:
    explicit TTwoRows(bool faulty) : faulty(faulty) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return index.row();
        if (role == Qt::TextAlignmentRole && faulty)
            return 0x7f0000;
        return {};
    }

private:
    bool faulty;
};

} // namespace

TEST(ModelCheck, AFaultTheTesterFindsFailsTheTest)
{
    TTwoRows faulty(true);
    EXPECT_NONFATAL_FAILURE(TModelCheck check(&faulty), "model tester");
    TTwoRows sound(false);
    const TModelCheck check(&sound);
}
