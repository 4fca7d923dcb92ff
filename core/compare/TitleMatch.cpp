#include "compare/TitleMatch.h"

#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <iterator>

namespace compare {

std::vector<size_t> MatchByTitle(const std::vector<std::string_view>& oldTitles,
                                 const std::vector<std::string_view>& newTitles)
{
    // Each old title's units chained in order; a new unit of that title takes the first not yet
    // taken. One map and one array, as a design has hundreds of thousands of titles.
    struct TChain {
        size_t untaken;
        size_t last;
    };
    std::unordered_map<std::string_view, TChain> chains;
    chains.reserve(oldTitles.size());
    std::vector<size_t> following(oldTitles.size(), kUnmatched);
    for (size_t i = 0; i < oldTitles.size(); ++i) {
        const auto [chain, fresh] = chains.try_emplace(oldTitles[i], TChain{i, i});
        if (!fresh) {
            following[chain->second.last] = i;
            chain->second.last = i;
        }
    }
    std::vector<size_t> matches(newTitles.size(), kUnmatched);
    for (size_t i = 0; i < newTitles.size(); ++i) {
        const auto chain = chains.find(newTitles[i]);
        if (chain == chains.end() || chain->second.untaken == kUnmatched)
            continue;
        matches[i] = chain->second.untaken;
        chain->second.untaken = following[chain->second.untaken];
    }
    return matches;
}

TTitleIndex::TTitleIndex(const TDefinedArray& defs, const std::vector<std::string_view>& titles)
    : defs(defs)
{
    for (const std::string_view title : titles)
        byTitle.try_emplace(std::string(title));
    for (const auto& element : defs) {
        const auto found = byTitle.find(std::string_view(element->Title()));
        if (found != byTitle.end())
            found->second.push_back(element->index);
    }
}

TTitleKey TTitleIndex::KeyOf(int element) const
{
    const std::string& title = defs.At(static_cast<size_t>(element))->Title();
    const auto found = byTitle.find(std::string_view(title));
    if (found == byTitle.end()) {
        // Not a title asked for: counted the long way.
        const auto before = std::next(defs.begin(), element);
        return {title, static_cast<size_t>(std::count_if(defs.begin(), before, [&](const auto& e) {
                    return e->Title() == title;
                }))};
    }
    const auto at = std::lower_bound(found->second.begin(), found->second.end(), element);
    return {title, static_cast<size_t>(at - found->second.begin())};
}

int TTitleIndex::Find(const TTitleKey& key) const
{
    const auto found = byTitle.find(std::string_view(key.title));
    if (found == byTitle.end() || key.occurrence >= found->second.size())
        return -1;
    return found->second[key.occurrence];
}

} // namespace compare
