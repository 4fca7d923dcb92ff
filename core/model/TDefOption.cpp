#include "model/TDefOption.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/Numbers.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

#include <sstream>

TDefOption::TDefOption() : TDefBase(kinds::Options, "Options", nullptr) {}

void TDefOption::Read(TLoadContext& rc)
{
    const TControlGed& ged = rc.ged;
    switch (ged.tagCode) {
    case tags::DateFormat:
        dateFormat = numbers::ReadInt(ged.value);
        break;
    case tags::DatePrefix: {
        std::istringstream words(ged.value);
        std::string word;
        for (std::string* prefix : {&prefixBefore, &prefixAbout, &prefixAfter}) {
            if (!(words >> word))
                break;
            *prefix = word.substr(0, kPrefixLimit);
        }
        break;
    }
    case tags::Lines:
        showLines = names::Equal(ged.value, "Y");
        break;
    case tags::Printer:
        printerName = ged.value.substr(0, kPrinterLimit);
        if (ged.value.size() > kPrinterLimit)
            rc.log.Line("Printer name [" + ged.value + "] truncated");
        break;
    case tags::ShowRins:
        showRins = names::Equal(ged.value, "Y");
        break;
    case tags::Trunc:
        truncMarker = numbers::ReadInt(ged.value);
        break;
    default:
        break;
    }
    rc.Next();
}

bool TDefOption::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::Options;
    return true;
}
