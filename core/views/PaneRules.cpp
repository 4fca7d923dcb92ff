#include "views/PaneRules.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "script/TNameTable_Parser.h"

namespace panes {

const TDefBase* CurrentElement(const TDefBase& shown, const TScriptPiece* selected)
{
    if (selected && selected->target && selected->target->kind != kinds::BuiltIn)
        return selected->target;
    return &shown;
}

TExplanation ExplainPiece(const TScriptPiece& piece, bool laidOut)
{
    using Parser = TNameTable::Parser;
    if (piece.flags & TScriptPiece::kRefers)
        return {TExplanation::Open, {}};
    if (!laidOut)
        return {TExplanation::Nothing, {}};
    switch (piece.kind) {
    case Parser::kNumber:
    case Parser::kMonth:
    case Parser::kLiteral:
        return {TExplanation::Message, kLiteralValueText};
    case Parser::kComparison:
    case Parser::kBetween:
    case Parser::kAnd:
    case Parser::kKeyword:
        return {TExplanation::Message, kLanguageElementText};
    default:
        return {TExplanation::Message, kCannotDisplayText};
    }
}

TFieldClick FieldDoubleClick(const TScriptPiece& piece, bool laidOut, const TDefBase& shown)
{
    if (!piece.target)
        return laidOut ? TFieldClick::BuiltInTypeMessage : TFieldClick::Nothing;
    // The row's own name: its field belongs to the shown group or record already.
    if (piece.target->context == &shown)
        return TFieldClick::Nothing;
    return TFieldClick::Explain;
}

} // namespace panes
