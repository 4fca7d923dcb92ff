#include "model/Opening.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"

TOpening OpeningOf(const TDefBase& element)
{
    TOpening opening;
    const TDefBase* shown = &element;
    if ((shown->kind == kinds::Field || shown->kind == kinds::Word) && shown->owner)
        shown = shown->owner;
    if (shown->kind == kinds::Alias || shown->kind == kinds::Variable ||
        shown->kind == kinds::BuiltIn) {
        opening.action = TOpening::Explain;
        opening.type = shown->kind == kinds::BuiltIn;
        opening.text =
            shown->name + (opening.type ? " is a built-in type" : " is a built-in value");
        return opening;
    }
    if (shown->PaneKind(opening.pane)) {
        opening.action = TOpening::Pane;
        opening.shown = shown;
    }
    return opening;
}
