#include "diagram/TWeightList.h"

#include "diagram/T2DimArray.h"
#include "diagram/TVertex.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

std::vector<int> Sequences(TWeightList& list)
{
    std::vector<int> result;
    for (const TVertexWeight& entry : list.Entries())
        result.push_back(entry.sequence);
    return result;
}

} // namespace

TEST(TWeightList, OrdersByWeightThenSequence)
{
    TWeightList list;
    list.Insert(5, 1, nullptr);
    list.Insert(2, 2, nullptr);
    list.Insert(5, 0, nullptr);
    list.Insert(-1, 9, nullptr);
    EXPECT_EQ(Sequences(list), (std::vector<int>{9, 2, 0, 1}));
}

TEST(TWeightList, EqualEntryGoesAfterTheEarlierOnes)
{
    std::vector<std::unique_ptr<TVertex>> vertices;
    TWeightList list;
    for (int i = 0; i < 100; ++i) {
        vertices.push_back(std::make_unique<TVertex>(nullptr));
        list.Insert(2 - i % 3, 7, vertices.back().get());
    }
    const std::vector<TVertexWeight>& entries = list.Entries();
    ASSERT_EQ(entries.size(), vertices.size());
    // Weight 0 holds vertices 2, 5, 8, ...; weight 1 holds 1, 4, 7, ...; weight 2 holds 0, 3, ...
    size_t k = 0;
    for (int weight = 0; weight < 3; ++weight)
        for (size_t i = static_cast<size_t>(2 - weight); i < vertices.size(); i += 3, ++k) {
            EXPECT_EQ(entries[k].weight, weight);
            EXPECT_EQ(entries[k].vertex, vertices[i].get()) << "entry " << k;
        }
}

TEST(TWeightList, InsertAfterReadingKeepsOrder)
{
    TWeightList list;
    list.Insert(4, 1, nullptr);
    list.Insert(2, 2, nullptr);
    EXPECT_EQ(Sequences(list), (std::vector<int>{2, 1}));
    list.Insert(3, 3, nullptr);
    EXPECT_EQ(Sequences(list), (std::vector<int>{2, 3, 1}));
}

TEST(T2DimArray, AccessToARowAppendsEmptyRowsUpToIt)
{
    T2DimArray layers;
    EXPECT_EQ(layers.Rows(), 0u);
    layers[3].push_back(nullptr);
    EXPECT_EQ(layers.Rows(), 4u);
    EXPECT_TRUE(layers.At(0).empty());
    EXPECT_EQ(layers.At(3).size(), 1u);
    layers[1];
    EXPECT_EQ(layers.Rows(), 4u);
}
