#include "gui/support/TIconSet.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

const TIconSet::Id allIcons[] = {
    TIconSet::Program,        TIconSet::BookClosed,   TIconSet::BookOpen,
    TIconSet::Page,           TIconSet::FolderClosed, TIconSet::FolderOpen,
    TIconSet::DatabaseFolder, TIconSet::Info,         TIconSet::Picture};

// The share of pixels that are not fully transparent.
double Coverage(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return double(painted) / (image.width() * image.height());
}

} // namespace

TEST(IconSet, EveryIconIsInTheResourceAndRendersAtOneAndTwoTimes)
{
    for (TIconSet::Id id : allIcons) {
        const QSize size = TIconSet::DesignSize(id);
        EXPECT_FALSE(TIconSet::Icon(id).isNull()) << id;
        // One icon for every window that shows it, or each fills the pixmap cache anew.
        EXPECT_EQ(TIconSet::Icon(id).cacheKey(), TIconSet::Icon(id).cacheKey()) << id;
        EXPECT_TRUE(QFile::exists(TIconSet::Path(id))) << id;
        for (qreal ratio : {1.0, 2.0}) {
            const QPixmap pixmap = TIconSet::Pixmap(id, size, ratio);
            EXPECT_EQ(pixmap.size(), size * ratio) << id << " at " << ratio;
            EXPECT_EQ(pixmap.devicePixelRatio(), ratio) << id << " at " << ratio;
            EXPECT_GT(Coverage(pixmap.toImage()), 0.2) << id << " at " << ratio;
        }
    }
}

TEST(IconSet, IconsAreDistinctDrawings)
{
    QList<QImage> images;
    for (TIconSet::Id id : allIcons) {
        const QImage image = TIconSet::Pixmap(id, QSize(20, 20), 1.0).toImage();
        for (const QImage& other : images)
            EXPECT_NE(image, other) << id;
        images << image;
    }
}

TEST(IconSet, EdgesOfTheOneTimesDrawingFallOnWholePixels)
{
    // A 1x rendering of a pixel-aligned drawing has mostly fully opaque or fully clear pixels;
    // blurred edges would leave many half-covered ones.
    for (TIconSet::Id id : {TIconSet::BookClosed, TIconSet::BookOpen, TIconSet::Page,
                            TIconSet::FolderClosed, TIconSet::DatabaseFolder}) {
        const QImage image = TIconSet::Pixmap(id, TIconSet::DesignSize(id), 1.0).toImage();
        int partial = 0;
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                painted += alpha > 0;
                partial += alpha > 0 && alpha < 255;
            }
        EXPECT_LT(partial * 10, painted) << id;
    }
}
