#include "script/FindInScripts.h"

#include "model/Names.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"

#include <algorithm>

namespace search {

namespace {

// Adds the hits of one script; folded is the script folded, needle the text folded. Line feeds
// are counted only up to each match, so a text that is rare costs no more than the search.
void FindInScript(TDefPicture& picture, std::string_view folded, std::string_view needle,
                  std::vector<TScriptHit>& hits)
{
    const std::string_view script(picture.script);
    size_t line = 1;
    size_t counted = 0; // line feeds before this are in line
    for (size_t at = folded.find(needle); at != std::string_view::npos;) {
        line += static_cast<size_t>(std::count(folded.begin() + static_cast<ptrdiff_t>(counted),
                                               folded.begin() + static_cast<ptrdiff_t>(at), '\n'));
        const size_t lineFeed = at == 0 ? std::string_view::npos : folded.rfind('\n', at - 1);
        const size_t start = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
        const size_t end = std::min(folded.find('\n', at), folded.size());
        hits.push_back(
            {&picture, line, script.substr(start, end - start), at - start, needle.size()});
        if (end == folded.size())
            return;
        // The rest of this line has been found already.
        counted = end + 1;
        ++line;
        at = folded.find(needle, counted);
    }
}

} // namespace

std::vector<TScriptHit> FindInScripts(const TDefinedArray& definitions, std::string_view text)
{
    std::vector<TScriptHit> hits;
    if (text.empty() || text.find('\n') != std::string_view::npos)
        return hits;
    const std::string needle = names::Folded(text);
    std::string folded; // one buffer for every script
    for (const auto& element : definitions) {
        auto* picture = dynamic_cast<TDefPicture*>(element.get());
        if (!picture || picture->script.size() < needle.size())
            continue;
        folded.assign(picture->script);
        names::FoldInPlace(folded);
        FindInScript(*picture, folded, needle, hits);
    }
    return hits;
}

std::string HitsText(const std::vector<TScriptHit>& hits)
{
    std::string text;
    for (const TScriptHit& hit : hits) {
        text += hit.element->Title();
        text += '\t';
        text += std::to_string(hit.line);
        text += '\t';
        text += hit.text;
        text += '\n';
    }
    return text;
}

} // namespace search
