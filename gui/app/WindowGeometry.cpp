#include "gui/app/WindowGeometry.h"

#include <algorithm>
#include <cmath>

namespace windows {

QRect Placement(QSize client, int treeColumn, const TMetrics& m, int k, QSize content,
                int captionWidth)
{
    const QPoint at(treeColumn + k * m.caption, k * m.caption);
    const int forContent = std::min(client.width() - treeColumn - 6 * m.caption,
                                    content.width() + m.scrollBar + 3 * m.frame);
    // The whole caption shows, as far as the client reaches.
    const int width = std::min(client.width() - at.x(), std::max(forContent, captionWidth));
    const int height = std::min(client.height() - 6 * m.caption,
                                content.height() + m.scrollBar + m.caption + 3 * m.frame);
    return {at, QSize(width, height)};
}

QRect ArrangeRect(const QRect& viewport, int treeColumn, int frame)
{
    QRect rect = viewport;
    rect.setLeft(treeColumn);
    rect.setRight(rect.right() - frame);
    rect.setBottom(rect.bottom() - frame);
    return rect;
}

std::vector<QRect> Cascade(const QRect& rect, int count, int step)
{
    std::vector<QRect> places;
    if (count <= 0 || rect.width() <= 0 || rect.height() <= 0)
        return places;
    step = std::max(1, step);
    const int maxSteps = std::max(1, std::min(rect.width(), rect.height()) / 2 / step + 1);
    const int steps = std::min(count, maxSteps);
    const QSize size(rect.width() - (steps - 1) * step, rect.height() - (steps - 1) * step);
    for (int i = 0; i < count; ++i) {
        const int k = i % steps;
        places.emplace_back(rect.topLeft() + QPoint(k * step, k * step), size);
    }
    return places;
}

std::vector<QRect> Tile(const QRect& rect, int count)
{
    std::vector<QRect> places;
    if (count <= 0 || rect.width() <= 0 || rect.height() <= 0)
        return places;
    const int columns = std::max(1, static_cast<int>(std::sqrt(count)));
    for (int column = 0; column < columns; ++column) {
        const int rows = count / columns + (column >= columns - count % columns ? 1 : 0);
        const int left = rect.left() + rect.width() * column / columns;
        const int right = rect.left() + rect.width() * (column + 1) / columns;
        for (int row = 0; row < rows; ++row) {
            const int top = rect.top() + rect.height() * row / rows;
            const int bottom = rect.top() + rect.height() * (row + 1) / rows;
            places.emplace_back(left, top, right - left, bottom - top);
        }
    }
    return places;
}

std::vector<QPoint> ArrangeIcons(const QRect& rect, const std::vector<QSize>& icons)
{
    std::vector<QPoint> places;
    QPoint at(rect.left(), rect.bottom() + 1);
    for (const QSize size : icons) {
        if (at.x() > rect.left() && at.x() + size.width() > rect.right() + 1)
            at = QPoint(rect.left(), at.y() - size.height());
        places.emplace_back(at.x(), at.y() - size.height());
        at.rx() += size.width();
    }
    return places;
}

} // namespace windows
