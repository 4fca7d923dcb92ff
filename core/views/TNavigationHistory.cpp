#include "views/TNavigationHistory.h"

#include <utility>

void TNavigationHistory::Visit(int element)
{
    if (!entries.empty()) {
        if (entries[current] == element)
            return;
        entries.resize(current + 1);
    }
    entries.push_back(element);
    if (entries.size() > kLimit)
        entries.erase(entries.begin());
    current = entries.size() - 1;
}

int TNavigationHistory::Back()
{
    if (!CanGoBack())
        return -1;
    return entries[--current];
}

int TNavigationHistory::Forward()
{
    if (!CanGoForward())
        return -1;
    return entries[++current];
}

void TNavigationHistory::Clear()
{
    entries.clear();
    current = 0;
}

void TNavigationHistory::Remap(const std::vector<int>& now)
{
    std::vector<int> kept;
    size_t at = 0;
    for (size_t i = 0; i < entries.size() && i < now.size(); ++i) {
        const int element = now[i];
        if (element < 0)
            continue;
        if (kept.empty() || kept.back() != element)
            kept.push_back(element);
        if (i <= current)
            at = kept.size() - 1;
    }
    entries = std::move(kept);
    current = at;
}
