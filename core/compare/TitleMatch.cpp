#include "compare/TitleMatch.h"

#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>

namespace compare {

std::vector<size_t> MatchByTitle(const std::vector<std::string_view>& oldTitles,
                                 const std::vector<std::string_view>& newTitles)
{
    std::unordered_map<std::string_view, std::vector<size_t>> oldByTitle;
    for (size_t i = 0; i < oldTitles.size(); ++i)
        oldByTitle[oldTitles[i]].push_back(i);
    std::unordered_map<std::string_view, size_t> seen;
    std::vector<size_t> matches(newTitles.size(), kUnmatched);
    for (size_t i = 0; i < newTitles.size(); ++i) {
        const size_t occurrence = seen[newTitles[i]]++;
        const auto old = oldByTitle.find(newTitles[i]);
        if (old != oldByTitle.end() && occurrence < old->second.size())
            matches[i] = old->second[occurrence];
    }
    return matches;
}

TTitleIndex::TTitleIndex(const TDefinedArray& defs) : defs(defs), next(defs.Count(), -1)
{
    byTitle.reserve(defs.Count());
    for (const auto& element : defs) {
        const int at = element->index;
        const auto [chain, fresh] = byTitle.try_emplace(element->Title(), TChain{at, at});
        if (!fresh) {
            next[static_cast<size_t>(chain->second.last)] = at;
            chain->second.last = at;
        }
    }
}

TTitleKey TTitleIndex::KeyOf(int element) const
{
    const std::string& title = defs.At(static_cast<size_t>(element))->Title();
    size_t occurrence = 0;
    for (int at = byTitle.at(title).first; at != element; at = next[static_cast<size_t>(at)])
        ++occurrence;
    return {title, occurrence};
}

int TTitleIndex::Find(const TTitleKey& key) const
{
    const auto found = byTitle.find(key.title);
    if (found == byTitle.end())
        return -1;
    int at = found->second.first;
    for (size_t i = 0; i < key.occurrence && at >= 0; ++i)
        at = next[static_cast<size_t>(at)];
    return at;
}

} // namespace compare
