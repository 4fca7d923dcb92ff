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
        const bool haveArea = lastArea >= 0;
        switch (ged.tagCode) {
        case tags::Area:
            if (lastArea + 1 >= kMaxAreas) {
                rc.log.Line("Too many areas in Report " + name);
                rc.SkipToLevel0();
                continue;
            }
            // Past 'z' by character code; past the last code, from 'A' again, so a letter is
            // never a control character.
            letter = letter == 'Z'   ? 'a'
                     : letter == 255 ? 'A'
                                     : static_cast<unsigned char>(letter + 1);
            areas.emplace_back();
            areas[++lastArea].letter = static_cast<char>(letter);
            break;
        case tags::Background: {
            if (background.empty()) {
                if (stride <= 0 || lineCount <= 0) {
                    rc.log.Line("Report " + name + " has no size -- skipped");
                    rc.SkipToLevel0();
                    continue;
                }
                const int64_t cells = int64_t{stride} * lineCount;
                if (cells > kMaxCells || rc.backgroundCells + cells > kMaxCellsPerLoad) {
                    rc.log.Line("Report " + name + " is too large -- skipped");
                    rc.SkipToLevel0();
                    continue;
                }
                rc.backgroundCells += cells;
                background.assign(static_cast<size_t>(cells), ' ');
                fill = 0;
            }
            const std::string& value = ged.value;
            if (value.size() + fill < background.size()) {
                background.replace(fill, value.size(), value);
                fill += static_cast<size_t>(stride);
            } else {
                rc.log.Line(Title() + " background overflows size");
            }
            break;
        }
        case tags::Height:
            if (ged.level == 1) {
                if (background.empty())
                    lineCount = WrapAdd(numbers::ReadInt(ged.value), 1);
            } else if (haveArea) {
                areas[lastArea].height = numbers::ReadInt(ged.value);
            } else {
                rc.NotHandled();
            }
            break;
        case tags::Width:
            if (ged.level == 1) {
                if (background.empty())
                    stride = WrapAdd(numbers::ReadInt(ged.value), 2);
            } else if (haveArea) {
                areas[lastArea].width = numbers::ReadInt(ged.value);
            } else {
                rc.NotHandled();
            }
            break;
        case tags::X:
        case tags::Y:
            if (!haveArea)
                rc.NotHandled();
            else if (ged.tagCode == tags::X)
                areas[lastArea].column = numbers::ReadInt(ged.value);
            else
                areas[lastArea].row = numbers::ReadInt(ged.value);
            break;
        case kinds::Picture: {
            if (!haveArea) {
                rc.NotHandled();
                break;
            }
            Area& area = areas[lastArea];
            area.picture = static_cast<TDefPicture*>(rc.defs.Add(new TDefPicture(
                kinds::Picture, std::string("Area ") + area.letter, ged.value, this)));
            area.picture->Read(rc);
            if (area.column >= stride || area.row >= lineCount) {
                rc.log.Line(Title() + " Area " + area.letter + " lies outside Report -- ignored");
                rc.defs.RemoveLast();
                areas.pop_back();
                --lastArea;
            }
            continue;
        }
        case kinds::PrintSettings:
            rc.defs.Add(new TDefPrintSetting(this))->Read(rc);
            continue;
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
        rc.Next();
    }
    for (int32_t l = 0; !background.empty() && l < lineCount; ++l)
        background[static_cast<size_t>(l) * stride + stride - 1] = '\0';
    FitAreas(rc);
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
