#include "gui/support/DiffColours.h"

#include <QPalette>

#include <algorithm>

namespace diffcolours {

namespace {

QColor Mix(const QColor& under, const QColor& over, double amount)
{
    const auto mix = [amount](int a, int b) { return static_cast<int>(a + (b - a) * amount); };
    return QColor(mix(under.red(), over.red()), mix(under.green(), over.green()),
                  mix(under.blue(), over.blue()));
}

// The highlight with its hue turned by the angle; a grey highlight gets some colour.
QColor Turned(const QColor& highlight, int degrees)
{
    const int hue = highlight.hsvHue() < 0 ? 210 : highlight.hsvHue();
    return QColor::fromHsv((hue + degrees + 360) % 360, std::max(highlight.hsvSaturation(), 160),
                           std::max(highlight.value(), 180));
}

} // namespace

QColor Of(const QPalette& palette, TTint tint)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor highlight = palette.color(QPalette::Highlight);
    // From the usual blue highlight (hue about 205) these reach green, red and amber.
    switch (tint) {
    case TTint::Added:
        return Mix(base, Turned(highlight, -85), 0.35);
    case TTint::Removed:
        return Mix(base, Turned(highlight, 150), 0.30);
    case TTint::Changed:
        return Mix(base, Turned(highlight, -160), 0.40);
    case TTint::Missing:
        return palette.color(QPalette::Window);
    }
    return base;
}

} // namespace diffcolours
