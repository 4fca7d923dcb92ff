#include "gui/views/TDisplayChild.h"

#include "gui/support/TIconSet.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>

namespace {
constexpr int kCaptionCharacters = 100;
constexpr int kOtherPaneSize = 400;
} // namespace

TDisplayChild::TDisplayChild(const QString& caption, TChildKey key, QWidget* pane, int helpContext,
                             std::optional<QSize> extent)
    : TChildWindow(caption, key, helpContext), extent(extent)
{
    setWindowIcon(TIconSet::Icon(TIconSet::Page));
    setWidget(pane);
}

QSize TDisplayChild::RequestedSize() const
{
    if (!extent)
        return {kOtherPaneSize, kOtherPaneSize};
    const QStyle* s = style();
    const QFontMetrics caption(QApplication::font("QMdiSubWindowTitleBar"));
    const int captionLength =
        static_cast<int>(std::min<qsizetype>(windowTitle().size(), kCaptionCharacters));
    const int forCaption = 4 * s->pixelMetric(QStyle::PM_TitleBarButtonSize, nullptr, this) +
                           captionLength * caption.averageCharWidth();
    const int forPane = extent->width() + s->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {std::max(forPane, forCaption), extent->height()};
}
