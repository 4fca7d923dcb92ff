#pragma once

#include <QColor>

class QPalette;

// The tints that mark what a comparison found, in the Differences window and the diagram. They
// come from the theme: the highlight's hue turned to green, red and amber, laid lightly over the
// base colour, so they suit a dark theme as well as a light one.
namespace diffcolours {

enum class TTint { Added, Removed, Changed, Missing };

QColor Of(const QPalette& palette, TTint tint);

} // namespace diffcolours
