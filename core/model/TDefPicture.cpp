#include "model/TDefPicture.h"

#include "model/Kinds.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"
#include "model/TScriptList.h"

TDefPicture::TDefPicture(int kind, std::string name, std::string script, TDefBase* owner)
    : TDefBase(kind, std::move(name), owner), script(std::move(script))
{
    pieces = std::make_unique<TScriptList>();
}

void TDefPicture::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    rc.Next();
    while (ged.tagCode == tags::Cont) {
        script += '\n';
        script += ged.value;
        rc.Next();
    }
    Wrap(script);
    // The appends leave up to half the text's room spare; a large design has many scripts.
    script.shrink_to_fit();
}

namespace {
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One line of the script, [begin, end), end at a line feed or the end of the text. The state a
// line starts with is fixed (the line feed before it is the remembered white space), so lines
// wrap independently of each other.
void WrapLine(std::string& s, size_t begin, size_t end)
{
    const bool lineFeedFollows = end < s.size();
    size_t count = begin == 0 ? 0 : 1;
    size_t lastSpace = begin == 0 ? std::string::npos : begin - 1;
    for (size_t i = begin; i < end; ++i) {
        if (IsSpace(s[i]))
            lastSpace = i;
        if (i + 1 == end && lineFeedFollows) {
            count = 0;
            lastSpace = std::string::npos;
        } else {
            ++count;
        }
        if (count > TDefPicture::kWrapWidth && lastSpace != std::string::npos) {
            s[lastSpace] = '\n';
            count = i - lastSpace;
            lastSpace = std::string::npos;
        }
    }
}
} // namespace

void TDefPicture::Wrap(std::string& s)
{
    size_t begin = 0;
    while (true) {
        const size_t lineFeed = s.find('\n', begin);
        const size_t end = lineFeed == std::string::npos ? s.size() : lineFeed;
        // A line this short never counts past the width.
        if (end - begin + 2 > kWrapWidth)
            WrapLine(s, begin, end);
        if (lineFeed == std::string::npos)
            return;
        begin = lineFeed + 1;
    }
}

std::string TDefPicture::MakeTitle() const
{
    switch (kind) {
    case kinds::PlanPicture:
        return "Plan picture script " + name;
    case kinds::EditPanel:
        return (owner ? owner->name : std::string()) + " Edit panel " + name;
    case kinds::Filter:
        return (owner ? owner->name : std::string()) + " Filter script" + name;
    default:
        break;
    }
    if (!owner)
        return name;
    switch (owner->kind) {
    case kinds::Table:
        return owner->TypeName() + " Table " + owner->name + " " + name;
    case kinds::Report:
        return owner->TypeName() + " Report " + owner->name + " " + name;
    case kinds::Choice:
        return name;
    default:
        return owner->name + " picture script " + name;
    }
}

bool TDefPicture::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::Picture;
    return true;
}
