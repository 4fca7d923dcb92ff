#include "model/Names.h"

#include <algorithm>

namespace names {

std::string Folded(std::string_view text)
{
    std::string folded(text);
    FoldInPlace(folded);
    return folded;
}

void FoldInPlace(std::string& text)
{
    std::transform(text.begin(), text.end(), text.begin(), Fold);
}

int Compare(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(Fold(a[i]));
        const auto y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool Equal(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && Compare(a, b) == 0;
}

uint64_t Hash(std::string_view name)
{
    uint64_t h = 1469598103934665603ULL;
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(Fold(c))) * 1099511628211ULL;
    return h ^ (h >> 29);
}

} // namespace names
