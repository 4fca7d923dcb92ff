#include "ModelCheck.h"

#include <QStringListModel>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// Its alignment is no alignment.
struct TBadAlignment : QStringListModel {
    TBadAlignment() : QStringListModel({"a", "b"}) {}
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::TextAlignmentRole ? QVariant(0x7f0000)
                                             : QStringListModel::data(index, role);
    }
};

} // namespace

TEST(ModelCheck, AFaultTheTesterFindsFailsTheTest)
{
    TBadAlignment faulty;
    EXPECT_NONFATAL_FAILURE(TModelCheck check(&faulty), "model tester");
    QStringListModel sound({"a", "b"});
    const TModelCheck check(&sound);
}
