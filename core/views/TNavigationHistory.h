#pragma once

#include <cstddef>
#include <vector>

// The definition windows activated, in order, walked back and forward as a web browser walks
// its pages: activating one after going back drops what lay ahead. Entries are element indexes.
class TNavigationHistory {
public:
    // The history never grows past this; the oldest entries go first.
    static constexpr size_t kLimit = 1000;

    // An element's window was activated. Activating the current entry again adds nothing.
    void Visit(int element);
    bool CanGoBack() const { return current > 0; }
    bool CanGoForward() const { return current + 1 < entries.size(); }
    // Steps back or forward and gives the element now current; -1 when there is no step.
    int Back();
    int Forward();
    // The element now current; -1 when the history is empty.
    int Current() const { return entries.empty() ? -1 : entries[current]; }
    void Clear();

    const std::vector<int>& Entries() const { return entries; }
    // The elements given new indexes (a reload): `now` holds each entry's index now, or -1 for
    // an element that is gone, whose entry goes; entries that then meet collapse into one. The
    // current entry stays, or else the one kept before it.
    void Remap(const std::vector<int>& now);

private:
    std::vector<int> entries;
    size_t current = 0; // meaningful while entries are not empty
};
