#pragma once

#include <QString>

#include <cstddef>

class TDefBase;
class TDefPicture;
struct TDocument;

// What panes ask of the main frame besides the commands: the document they show, opening an
// element, a message, the clipboard and telling that a selection moved.
class TPaneHost {
public:
    virtual ~TPaneHost() = default;

    virtual const TDocument& Document() const = 0;
    // Opens an element as a double-click in the tree does: a field or word shows its owner, a
    // built-in is explained in a message, anything else gets its definition window.
    virtual void OpenDefinition(const TDefBase& element) = 0;
    // Opens the window that shows the script (its table's or list's, for a column or a filter)
    // with bytes [offset, offset + length) of its line (from 1) scrolled into view and selected.
    // Without a window to select in, it opens the script's definition alone.
    virtual void ShowInScript(const TDefPicture& script, size_t line, size_t offset,
                              size_t length) = 0;
    // A modal message with OK and Help (the help context).
    virtual void Explain(const QString& text, const QString& caption, int helpContext) = 0;
    // Puts the element's text (as Save As Text writes it, at level 0) on the clipboard.
    virtual void CopyText(const TDefBase& element) = 0;
    // A pane's selection changed: the commands' enabled state follows.
    virtual void SelectionChanged() = 0;
    // A short note in the main window's status bar; a host without one lets it go.
    virtual void ShowStatus(const QString& /*text*/) {}
};
