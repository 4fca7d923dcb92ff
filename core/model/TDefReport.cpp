#include "model/TDefReport.h"

#include "model/Kinds.h"
#include "model/Numbers.h"
#include "model/TControlGed.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefinedArray.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

namespace {
// Adds without the undefined behaviour of a signed overflow: the sum wraps like the 32-bit field.
int32_t WrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrapSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
} // namespace

TDefReport::TDefReport(std::string name) : TDefRepBase(kinds::Report, std::move(name)) {}

void TDefReport::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    bool firstTitle = true;
    auto letter = static_cast<unsigned char>('A' - 1);
    size_t fill = 0;
    rc.Next();
    while (ged.level > 0) {
        // False when a part reader has made the line after its own current already.
        bool readNext = true;
        switch (ged.tagCode) {
        case tags::Area:
            readNext = AddArea(rc, letter);
            break;
        case tags::Background:
            readNext = ReadBackground(rc, fill);
            break;
        case tags::Height:
            ReadExtent(rc, lineCount, 1, &Area::height);
            break;
        case tags::Width:
            ReadExtent(rc, stride, 2, &Area::width);
            break;
        case tags::X:
        case tags::Y:
            ReadAreaValue(rc, ged.tagCode == tags::X ? &Area::column : &Area::row);
            break;
        case kinds::Picture:
            readNext = ReadAreaPicture(rc);
            break;
        case kinds::PrintSettings:
            rc.defs.Add(new TDefPrintSetting(this))->Read(rc);
            readNext = false;
            break;
        case tags::Title:
            if (firstTitle) {
                title1 = ged.value;
                firstTitle = false;
            } else {
                title2 = ged.value;
            }
            break;
        case tags::Type:
            ReadType(rc, "Report");
            break;
        default:
            rc.NotHandled();
            break;
        }
        if (readNext)
            rc.Next();
    }
    for (int32_t l = 0; !background.empty() && l < lineCount; ++l)
        background[static_cast<size_t>(l) * stride + stride - 1] = '\0';
    FitAreas(rc);
}

bool TDefReport::AddArea(TLoadContext& rc, unsigned char& letter)
{
    if (lastArea + 1 >= kMaxAreas) {
        rc.log.Line("Too many areas in Report " + name);
        rc.SkipToLevel0();
        return false;
    }
    // Past 'z' by character code; past the last code, from 'A' again, so a letter is never a
    // control character.
    letter = letter == 'Z' ? 'a' : letter == 255 ? 'A' : static_cast<unsigned char>(letter + 1);
    areas.emplace_back();
    areas[++lastArea].letter = static_cast<char>(letter);
    return true;
}

bool TDefReport::ReadBackground(TLoadContext& rc, size_t& fill)
{
    if (background.empty()) {
        if (stride <= 0 || lineCount <= 0) {
            rc.log.Line("Report " + name + " has no size -- skipped");
            rc.SkipToLevel0();
            return false;
        }
        const int64_t cells = int64_t{stride} * lineCount;
        if (cells > kMaxCells || rc.backgroundCells + cells > kMaxCellsPerLoad) {
            rc.log.Line("Report " + name + " is too large -- skipped");
            rc.SkipToLevel0();
            return false;
        }
        rc.backgroundCells += cells;
        background.assign(static_cast<size_t>(cells), ' ');
        fill = 0;
    }
    const std::string& value = rc.ged.value;
    if (value.size() + fill < background.size()) {
        background.replace(fill, value.size(), value);
        fill += static_cast<size_t>(stride);
    } else {
        rc.log.Line(Title() + " background overflows size");
    }
    return true;
}

void TDefReport::ReadExtent(TLoadContext& rc, int32_t& page, int32_t extra, int32_t Area::*value)
{
    if (rc.ged.level != 1)
        ReadAreaValue(rc, value);
    else if (background.empty())
        page = WrapAdd(numbers::ReadInt(rc.ged.value), extra);
}

void TDefReport::ReadAreaValue(TLoadContext& rc, int32_t Area::*value)
{
    if (lastArea >= 0)
        areas[lastArea].*value = numbers::ReadInt(rc.ged.value);
    else
        rc.NotHandled();
}

bool TDefReport::ReadAreaPicture(TLoadContext& rc)
{
    if (lastArea < 0) {
        rc.NotHandled();
        return true;
    }
    Area& area = areas[lastArea];
    area.picture = static_cast<TDefPicture*>(rc.defs.Add(
        new TDefPicture(kinds::Picture, std::string("Area ") + area.letter, rc.ged.value, this)));
    area.picture->Read(rc);
    if (area.column >= stride || area.row >= lineCount) {
        rc.log.Line(Title() + " Area " + area.letter + " lies outside Report -- ignored");
        rc.defs.RemoveLast();
        areas.pop_back();
        --lastArea;
    }
    return false;
}

void TDefReport::FitAreas(TLoadContext& rc)
{
    for (int32_t i = 0; i <= lastArea; ++i) {
        Area& area = areas[i];
        if (int64_t{area.column} + area.width > stride) {
            rc.log.Line(Title() + " Area " + area.letter + " too wide -- narrowed");
            area.width = WrapSub(stride, area.column);
        }
        if (int64_t{area.row} + area.height > lineCount) {
            rc.log.Line(Title() + " Area " + area.letter + " too deep -- shortened");
            area.height = WrapSub(lineCount, area.row);
        }
    }
}

std::string TDefReport::MakeTitle() const
{
    return type + " Report " + name;
}

bool TDefReport::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::Report;
    return true;
}
