#pragma once

#include <string>

class TDefBase;
struct TScriptPiece;

// What a definition pane decides about its selected piece without a screen: which element the
// commands act on, and what opening a piece does. The texts are the messages' exact words.
namespace panes {
inline constexpr char kLiteralValueText[] = "This is a literal value";
inline constexpr char kLanguageElementText[] = "This is a script language element";
inline constexpr char kCannotDisplayText[] = "Cannot display definition of this element";
inline constexpr char kPictureScriptElement[] = "Picture Script Element";
inline constexpr char kBuiltInTypeText[] = "This is a built-in Type";
inline constexpr char kFieldTypeCaption[] = "Field Type";

// The element the commands act on: the selected piece's target, unless there is none or it is
// built in (then the element the pane shows).
const TDefBase* CurrentElement(const TDefBase& shown, const TScriptPiece* selected);

// Opening a piece: Open its target, do Nothing, or show a Message (caption kPictureScriptElement)
// with the text.
struct TExplanation {
    enum TAction { Open, Nothing, Message } action;
    std::string text;
};
// laidOut: whether the pane has placed the piece; a piece never placed is never explained.
TExplanation ExplainPiece(const TScriptPiece& piece, bool laidOut);

// A double-click on a piece of the fields pane. BuiltInTypeMessage: kBuiltInTypeText under
// kFieldTypeCaption; Explain: as ExplainPiece says.
enum class TFieldClick { Nothing, BuiltInTypeMessage, Explain };
TFieldClick FieldDoubleClick(const TScriptPiece& piece, bool laidOut, const TDefBase& shown);
} // namespace panes
