#include "model/MessageLinks.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <string>

namespace {

// A line that names an element between a fixed start and end; an empty end: to the line's end.
struct TShape {
    std::string_view start;
    std::string_view end;
    int kind; // 0: the name is a title
};

constexpr TShape kShapes[] = {
    {"Too many columns in Table ", "", kinds::Table},
    {"Too many areas in Report ", "", kinds::Report},
    {"Report ", " has no size -- skipped", kinds::Report},
    {"Report ", " is too large -- skipped", kinds::Report},
    {"Tag missing from field ", "", kinds::Field},
    {"", " background overflows size", 0},
};

TDefBase* Named(const TDefinedArray& defs, std::string_view name, int kind)
{
    for (const auto& e : defs)
        if (e->kind == kind && e->name == name)
            return e.get();
    return nullptr;
}

TDefBase* Titled(const TDefinedArray& defs, std::string_view title)
{
    return title.empty() ? nullptr : defs.FindTitled(std::string(title));
}

// The rule over two look-ups: by kind and name, and by title.
template <class NamedBy, class TitledBy>
TDefBase* FindNamedBy(std::string_view line, NamedBy named, TitledBy titled)
{
    for (const TShape& shape : kShapes) {
        if (line.size() < shape.start.size() + shape.end.size() || !line.starts_with(shape.start) ||
            !line.ends_with(shape.end))
            continue;
        const std::string_view name =
            line.substr(shape.start.size(), line.size() - shape.start.size() - shape.end.size());
        if (TDefBase* e = shape.kind ? named(name, shape.kind) : titled(name))
            return e;
    }
    // "TITLE Area A lies outside Report -- ignored" and the like.
    for (size_t at = line.find(" Area "); at != std::string_view::npos;
         at = line.find(" Area ", at + 1))
        if (TDefBase* e = titled(line.substr(0, at)))
            return e;
    // "... not handled in NextTerm() in TITLE" and the like: the title is the rest of the line.
    constexpr std::string_view kIn = " in ";
    for (size_t at = line.find(kIn); at != std::string_view::npos; at = line.find(kIn, at + 1))
        if (TDefBase* e = titled(line.substr(at + kIn.size())))
            return e;
    return nullptr;
}

std::string KindAndName(int kind, std::string_view name)
{
    std::string key = std::to_string(kind);
    key += ' ';
    key += name;
    return key;
}

} // namespace

namespace messages {

TDefBase* ElementNamedBy(std::string_view line, const TDefinedArray& defs)
{
    return FindNamedBy(
        line, [&](std::string_view name, int kind) { return Named(defs, name, kind); },
        [&](std::string_view title) { return Titled(defs, title); });
}

TMessageLinks::TMessageLinks(const TDefinedArray& defs)
{
    for (const auto& e : defs) {
        byTitle.try_emplace(e->Title(), e.get());
        byKindAndName.try_emplace(KindAndName(e->kind, e->name), e.get());
    }
}

TDefBase* TMessageLinks::ElementNamedBy(std::string_view line) const
{
    return FindNamedBy(
        line,
        [this](std::string_view name, int kind) {
            const auto found = byKindAndName.find(KindAndName(kind, name));
            return found == byKindAndName.end() ? nullptr : found->second;
        },
        [this](std::string_view title) {
            const auto found = title.empty() ? byTitle.end() : byTitle.find(title);
            return found == byTitle.end() ? nullptr : found->second;
        });
}

} // namespace messages
