#include "publish/TPageNames.h"

#include "compare/Comparison.h"
#include "model/Opening.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "views/HostLayouts.h"

#include <unordered_map>
#include <unordered_set>

namespace publish {

namespace {
// Long titles are cut: some file systems take no more than 255 bytes a name.
constexpr size_t kStemLimit = 80;
} // namespace

std::string FileStem(std::string_view title)
{
    std::string stem;
    bool gap = false;
    for (const char c : title) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (!((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))) {
            gap = true;
            continue;
        }
        if (gap && !stem.empty())
            stem += '-';
        gap = false;
        stem += lower;
        if (stem.size() >= kStemLimit)
            break;
    }
    return stem.empty() ? "element" : stem;
}

TPageNames::TPageNames(const compare::TUnits& units) : units(units)
{
    std::unordered_set<std::string> taken{"index", "names", "messages", "diagram"};
    std::unordered_map<std::string, int> nextNumber;
    files.reserve(units.Count());
    for (size_t unit = 0; unit < units.Count(); ++unit) {
        const std::string stem = FileStem(units.Title(unit));
        std::string name = stem;
        if (!taken.insert(name).second) {
            int& number = nextNumber.try_emplace(stem, 2).first->second;
            do
                name = stem + '-' + std::to_string(number++);
            while (!taken.insert(name).second);
        }
        files.push_back(name + ".html");
        const int at = units.Element(unit).index;
        if (at < 0)
            continue;
        const auto index = static_cast<size_t>(at);
        if (index >= unitAt.size())
            unitAt.resize(index + 1, kNoUnit);
        unitAt[index] = static_cast<uint32_t>(unit);
    }
}

std::string_view TPageNames::UnitPage(const TDefBase& element) const
{
    const auto index = static_cast<size_t>(element.index);
    if (element.index < 0 || index >= unitAt.size() || unitAt[index] == kNoUnit)
        return {};
    const uint32_t unit = unitAt[index];
    // An element of another array may have the same index.
    return &units.Element(unit) == &element ? std::string_view(files[unit]) : std::string_view();
}

std::string_view TPageNames::PageOf(const TDefBase& element) const
{
    const TOpening opening = OpeningOf(element);
    if (opening.action != TOpening::Pane || !opening.shown)
        return {};
    std::string_view page = UnitPage(*opening.shown);
    if (page.empty())
        if (const auto* script = dynamic_cast<const TDefPicture*>(opening.shown))
            page = UnitPage(panes::ScriptHost(*script));
    return page;
}

} // namespace publish
