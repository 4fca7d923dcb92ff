#include "views/TDisplayFields.h"

#include "support/CommandIds.h"
#include "views/PaneRules.h"
#include "views/TPaneHost.h"

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
