#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TDefinedArray;
class TDefPicture;

// Find in Scripts: the script lines of a design that hold a text, ASCII letters matched
// regardless of case as names compare, every other byte exactly (so UTF-8 and Windows-1252 text
// matches only itself).
namespace search {

// A line that holds the text. The views point into the element's script: a hit is good while the
// design that was searched stays loaded.
struct TScriptHit {
    TDefPicture* element = nullptr;
    size_t line = 0;       // from 1, as the picture pane counts its lines
    std::string_view text; // the line, without its line feed
    size_t offset = 0;     // the first match in the line: where it starts and its length, in bytes
    size_t length = 0;
};

// One hit per line that holds the text: elements in definition-array order, lines in order. A
// text that is empty or holds a line feed finds nothing, as no line holds it.
std::vector<TScriptHit> FindInScripts(const TDefinedArray& definitions, std::string_view text);

// A row per hit: the element's title, a tab, the line number, a tab, the line and a line feed.
// What stemlook-text --find prints and Copy in the find window gives.
std::string HitsText(const std::vector<TScriptHit>& hits);

} // namespace search
