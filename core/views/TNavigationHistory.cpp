#include "views/TNavigationHistory.h"

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
