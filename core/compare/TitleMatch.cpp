#include "compare/TitleMatch.h"

#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <unordered_map>

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

namespace {

// The elements of these titles, each title's in array order.
std::unordered_map<std::string_view, std::vector<int>>
ElementsByTitle(const TDefinedArray& defs, const std::vector<std::string_view>& titles)
{
    std::unordered_map<std::string_view, std::vector<int>> byTitle;
    for (const std::string_view title : titles)
        byTitle.try_emplace(title);
    for (const auto& element : defs)
        if (const auto found = byTitle.find(element->Title()); found != byTitle.end())
            found->second.push_back(element->index);
    return byTitle;
}

} // namespace

std::vector<std::optional<TTitleKey>> KeysOf(const TDefinedArray& defs,
                                             const std::vector<int>& elements)
{
    std::vector<std::string_view> titles;
    for (const int element : elements)
        if (element >= 0)
            titles.push_back(defs.At(static_cast<size_t>(element))->Title());
    const auto byTitle = ElementsByTitle(defs, titles);
    std::vector<std::optional<TTitleKey>> keys;
    for (const int element : elements) {
        if (element < 0) {
            keys.emplace_back();
            continue;
        }
        const std::string& title = defs.At(static_cast<size_t>(element))->Title();
        const std::vector<int>& same = byTitle.at(title);
        const auto at = std::lower_bound(same.begin(), same.end(), element);
        keys.push_back(TTitleKey{title, static_cast<size_t>(at - same.begin())});
    }
    return keys;
}

std::vector<int> ElementsOf(const TDefinedArray& defs,
                            const std::vector<std::optional<TTitleKey>>& keys)
{
    std::vector<std::string_view> titles;
    for (const auto& key : keys)
        if (key)
            titles.push_back(key->title);
    const auto byTitle = ElementsByTitle(defs, titles);
    std::vector<int> elements;
    for (const auto& key : keys) {
        const auto found = key ? byTitle.find(key->title) : byTitle.end();
        elements.push_back(found == byTitle.end() || key->occurrence >= found->second.size()
                               ? -1
                               : found->second[key->occurrence]);
    }
    return elements;
}

} // namespace compare
