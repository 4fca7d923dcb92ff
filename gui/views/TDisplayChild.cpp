#include "gui/views/TDisplayChild.h"

#include "gui/support/TIconSet.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace {
constexpr int kCaptionCharacters = 100;
constexpr int kOtherPaneSize = 400;
// Room the width asked for keeps for the style's label margins, which no metric names.
constexpr int kCaptionSlack = 8;
} // namespace

TDisplayChild::TDisplayChild(const QString& caption, TChildKey key, TPane& pane, QWidget* widget,
                             int helpContext, std::optional<QSize> extent)
    : TChildWindow(caption, key, helpContext), extent(extent)
{
    SetPane(pane);
    setWindowIcon(TIconSet::Icon(TIconSet::Page));
    setWidget(widget);
}

QSize TDisplayChild::RequestedSize() const
{
    if (!extent)
        return {kOtherPaneSize, kOtherPaneSize};
    return {extent->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
            extent->height()};
}

int TDisplayChild::CaptionWidth() const
{
    // What the title bar keeps beside its label (icon, buttons, frame), asked of the style for a
    // window of some width, plus the caption's own advance.
    QStyleOptionTitleBar bar;
    bar.initFrom(this);
    bar.text = windowTitle();
    bar.icon = windowIcon();
    bar.titleBarFlags = windowFlags();
    bar.titleBarState = static_cast<int>(windowState());
    bar.subControls = QStyle::SC_All;
    const int probe = 1000;
    bar.rect = QRect(0, 0, probe, style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, this));
    const QRect label =
        style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarLabel, this);
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const QString caption = windowTitle().left(kCaptionCharacters);
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    return probe - label.width() + 2 * frame + metrics.horizontalAdvance(caption) + kCaptionSlack;
}
