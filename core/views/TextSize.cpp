#include "views/TextSize.h"

#include <algorithm>
#include <cstdlib>

namespace textsize {

std::vector<int> Offered(const std::vector<int>& available)
{
    std::vector<int> sizes;
    for (int size : available)
        if (size >= kSmallest && size <= kLargest)
            sizes.push_back(size);
    if (sizes.empty())
        for (int size = kSmallest; size <= kLargest; ++size)
            sizes.push_back(size);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

int FromSettings(int kept, const std::vector<int>& offered)
{
    const int wanted = kept < kSmallest || kept > kLargest ? kDefault : kept;
    if (offered.empty())
        return wanted;
    int best = offered.front();
    for (int size : offered)
        if (std::abs(size - wanted) < std::abs(best - wanted))
            best = size;
    return best;
}

int Step(int current, int step, const std::vector<int>& offered)
{
    if (step > 0) {
        const auto next = std::upper_bound(offered.begin(), offered.end(), current);
        return next == offered.end() ? current : *next;
    }
    const auto next = std::lower_bound(offered.begin(), offered.end(), current);
    return next == offered.begin() ? current : *(next - 1);
}

} // namespace textsize
