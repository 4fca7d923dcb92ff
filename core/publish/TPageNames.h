#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TDefBase;
namespace compare {
class TUnits;
}

namespace publish {

// The file name of each unit's page, made from its title so that it stays the same from run to
// run: ASCII letters (in lower case, as some file systems ignore case) and digits, every other
// run of bytes one '-'. A name taken by an earlier unit or by a page of the site itself gets
// "-2", "-3" and so on, in unit order. Refers to the units.
class TPageNames {
public:
    explicit TPageNames(const compare::TUnits& units);

    const std::string& File(size_t unit) const { return files[unit]; }
    // The page of the element the way opening it shows it (a field: its group's or record's;
    // a column's script: its table's); empty when that shows no page of the site.
    std::string_view PageOf(const TDefBase& element) const;
    // The page of the element itself, or empty when it is not a unit.
    std::string_view UnitPage(const TDefBase& element) const;

    // The site's own pages.
    static constexpr const char* kIndex = "index.html";
    static constexpr const char* kNames = "names.html";
    static constexpr const char* kMessages = "messages.html";
    static constexpr const char* kDiagram = "diagram.html";
    static constexpr const char* kStyle = "style.css";

private:
    static constexpr uint32_t kNoUnit = UINT32_MAX;

    const compare::TUnits& units;
    std::vector<std::string> files;
    // By the element's index in its array; a page links thousands of names, each looked up.
    std::vector<uint32_t> unitAt;
};

// The stem a title's page name is made from, before collisions are numbered; never empty.
std::string FileStem(std::string_view title);

} // namespace publish
