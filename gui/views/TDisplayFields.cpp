#include "gui/views/TDisplayFields.h"

#include "gui/support/CommandIds.h"
#include "gui/views/TPaneHost.h"
#include "views/PaneRules.h"

void TDisplayFields::DoubleClick(QPoint content)
{
    if (!SelectPieceAt(content))
        return;
    switch (panes::FieldDoubleClick(*Selected(), panes::LaidOut(Layout(), Selected()), Def())) {
    case panes::TFieldClick::BuiltInTypeMessage:
        host.Explain(QString::fromLatin1(panes::kBuiltInTypeText),
                     QString::fromLatin1(panes::kFieldTypeCaption), helpids::BuiltInType);
        break;
    case panes::TFieldClick::Explain:
        ExplainSelected();
        break;
    case panes::TFieldClick::Nothing:
        break;
    }
}
