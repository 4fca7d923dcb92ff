#pragma once

#include "compare/Comparison.h"

#include <unordered_map>

class TDefBase;

namespace compare {

// The pictures a diagram marks while a comparison is shown: the new design's element of each
// added or changed unit whose kind is a picture kind, with that status.
using TPictureStatus = std::unordered_map<const TDefBase*, TStatus>;
TPictureStatus PictureMarks(const TComparison& comparison);

} // namespace compare
