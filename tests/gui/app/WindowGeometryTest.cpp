#include "gui/app/WindowGeometry.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QRect kRects[] = {{300, 0, 900, 700}, {250, 0, 37, 500}, {0, 0, 1, 1}, {400, 10, 601, 333}};

} // namespace

TEST(WindowGeometry, TileCoversTheRectangleWithoutOverlap)
{
    for (const QRect& rect : kRects) {
        for (int n = 1; n <= 13; ++n) {
            const std::vector<QRect> tiles = windows::Tile(rect, n);
            ASSERT_EQ(tiles.size(), static_cast<size_t>(n));
            QRegion covered;
            long long area = 0;
            for (const QRect& tile : tiles) {
                EXPECT_TRUE(rect.contains(tile) || tile.isEmpty()) << n;
                EXPECT_FALSE(covered.intersects(tile)) << n;
                covered += tile;
                area += static_cast<long long>(tile.width()) * tile.height();
            }
            // Thin rectangles leave some tiles empty, but never lose or double an area.
            EXPECT_EQ(area, static_cast<long long>(rect.width()) * rect.height()) << n;
        }
    }
    EXPECT_TRUE(windows::Tile(QRect(), 3).empty());
}

TEST(WindowGeometry, CascadeStepsOneCaptionAndKeepsHalfTheRectangle)
{
    constexpr int step = 24;
    for (const QRect& rect : kRects) {
        for (int n = 1; n <= 40; ++n) {
            const std::vector<QRect> places = windows::Cascade(rect, n, step);
            ASSERT_EQ(places.size(), static_cast<size_t>(n));
            EXPECT_EQ(places[0].topLeft(), rect.topLeft());
            for (size_t i = 0; i < places.size(); ++i) {
                EXPECT_EQ(places[i].size(), places[0].size());
                EXPECT_TRUE(rect.contains(places[i]));
                const QPoint offset = places[i].topLeft() - rect.topLeft();
                EXPECT_EQ(offset.x(), offset.y());
                EXPECT_EQ(offset.x() % step, 0);
            }
            EXPECT_GE(2 * places[0].width(), std::min(rect.width(), rect.height()));
        }
    }
    EXPECT_TRUE(windows::Cascade(QRect(), 2, step).empty());
}

TEST(WindowGeometry, IconsLieInRowsRightOfTheTreeWithoutOverlap)
{
    const QRect rect(300, 0, 500, 400);
    std::vector<QSize> icons;
    for (int i = 0; i < 9; ++i)
        icons.emplace_back(160 + 10 * (i % 3), 30);
    const std::vector<QPoint> places = windows::ArrangeIcons(rect, icons);
    ASSERT_EQ(places.size(), icons.size());
    QRegion taken;
    for (size_t i = 0; i < places.size(); ++i) {
        const QRect icon(places[i], icons[i]);
        EXPECT_GE(icon.left(), rect.left());
        EXPECT_LE(icon.right(), rect.right());
        EXPECT_EQ((rect.bottom() - icon.bottom()) % 30, 0); // whole rows up from the bottom
        EXPECT_FALSE(taken.intersects(icon)) << i;
        taken += icon;
    }
    EXPECT_EQ(places[0], QPoint(rect.left(), rect.bottom() + 1 - 30));
}

TEST(WindowGeometry, PlacementStepsRightOfTheTreeAndShowsTheCaption)
{
    const windows::TMetrics m{20, 4, 16};
    const QSize client(1200, 800);
    for (int k = 0; k < windows::kPlacements; ++k) {
        const QRect small = windows::Placement(client, 400, m, k, {100, 50}, 0);
        EXPECT_EQ(small.topLeft(), QPoint(400 + 20 * k, 20 * k));
        EXPECT_EQ(small.size(), QSize(100 + 16 + 12, 50 + 16 + 20 + 12));
        const QRect huge = windows::Placement(client, 400, m, k, {5000, 5000}, 0);
        EXPECT_LE(huge.right(), client.width());
        EXPECT_LE(huge.bottom(), client.height());
        // A long caption widens a narrow pane, but only as far as the client reaches.
        EXPECT_EQ(windows::Placement(client, 400, m, k, {10, 10}, 600).width(), 600);
        EXPECT_EQ(windows::Placement(client, 400, m, k, {10, 10}, 5000).right(),
                  client.width() - 1);
    }
}
