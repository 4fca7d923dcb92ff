#include "gui/views/DefinitionPanes.h"

#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayFields.h"
#include "gui/views/TDisplayReport.h"

#include <array>

namespace definitions {

namespace {

struct TKindRow {
    TPaneKind pane;
    int help;
    TDisplayWindow* (*make)(TPaneHost&, const TDefBase&, TPaneKind);
};

template <class Pane> TDisplayWindow* Make(TPaneHost& host, const TDefBase& element, TPaneKind pane)
{
    return new Pane(host, element, pane);
}

constexpr std::array kKinds{
    TKindRow{TPaneKind::Choice, helpids::ChoicePane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::Fields, helpids::FieldsPane, Make<TDisplayFields>},
    TKindRow{TPaneKind::Picture, helpids::PicturePane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::List, helpids::ListPane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::Options, helpids::OptionsPane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::PrintSettings, helpids::PrintSettingsPane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::Table, helpids::TablePane, Make<TDisplayWindow>},
    TKindRow{TPaneKind::Report, helpids::ReportPane, Make<TDisplayReport>},
};

const TKindRow* Row(TPaneKind pane)
{
    for (const TKindRow& row : kKinds)
        if (row.pane == pane)
            return &row;
    return nullptr;
}

} // namespace

TDisplayWindow* MakePane(TPaneHost& host, const TDefBase& element, TPaneKind pane)
{
    const TKindRow* row = Row(pane);
    return row ? row->make(host, element, pane) : nullptr;
}

int HelpContext(TPaneKind pane)
{
    const TKindRow* row = Row(pane);
    return row ? row->help : 0;
}

} // namespace definitions
