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

std::string TDefOption::DateFormatText(int32_t format)
{
    static const char* const names[] = {"dd Mmm yyyy",     "dd-Mmm-yyyy", "ddMmmyyyy",
                                        "yyyymmdd",        "yyyy",        "yyyy-mm-dd",
                                        "Ddd, d Mmm yyyy", "d Mmm yyyy"};
    if (format >= 0 && format < 8)
        return names[format];
    return std::string("unknown format ").append(std::to_string(format));
}

std::string TDefOption::MarkerText(int32_t code)
{
    std::string text = std::to_string(code);
    if (code > 32)
        text.append(" (").append(1, static_cast<char>(code & 0xFF)).append(")");
    return text;
}
