#include "model/TDefTable.h"

#include "model/Kinds.h"
#include "model/Numbers.h"
#include "model/TControlGed.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefinedArray.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

TDefTable::TDefTable(std::string name) : TDefRepBase(kinds::Table, std::move(name)) {}

void TDefTable::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    bool firstTitle = true;
    rc.Next();
    while (ged.level > 0) {
        const bool haveColumn = lastColumn >= 0;
        switch (ged.tagCode) {
        case tags::Column:
            if (lastColumn + 1 >= kMaxColumns) {
                rc.log.Line("Too many columns in Table " + name);
                rc.SkipToLevel0();
                continue;
            }
            ++lastColumn;
            columns.emplace_back();
            firstTitle = true;
            break;
        case tags::Justification:
            if (haveColumn)
                columns[lastColumn].justification = ged.value;
            else
                rc.NotHandled();
            break;
        case kinds::Picture:
            if (!haveColumn) {
                rc.NotHandled();
                break;
            }
            columns[lastColumn].picture = static_cast<TDefPicture*>(rc.defs.Add(new TDefPicture(
                kinds::Picture, "Col. " + std::to_string(lastColumn + 1), ged.value, this)));
            columns[lastColumn].picture->Read(rc);
            continue;
        case kinds::PrintSettings:
            rc.defs.Add(new TDefPrintSetting(this))->Read(rc);
            continue;
        case tags::Title:
            if (ged.level == 2) {
                if (haveColumn)
                    columns[lastColumn].title = ged.value;
                else
                    rc.NotHandled();
            } else if (firstTitle) {
                title1 = ged.value;
                firstTitle = false;
            } else {
                title2 = ged.value;
            }
            break;
        case tags::Type:
            ReadType(rc, "Table");
            break;
        case tags::Width:
            if (haveColumn)
                columns[lastColumn].width = numbers::ReadInt(ged.value);
            else
                rc.NotHandled();
            break;
        default:
            rc.NotHandled();
            break;
        }
        rc.Next();
    }
}

std::string TDefTable::MakeTitle() const
{
    return type + " Table " + name;
}

bool TDefTable::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::Table;
    return true;
}
