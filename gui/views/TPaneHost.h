#pragma once

#include "model/TDefPicture.h"

#include <QString>

#include <cstddef>

class QFont;
class TDatabase;
class TDefBase;
class TDispColour;

// The main frame's services that panes use. The main frame's client implements it.
class TPaneHost {
public:
    virtual ~TPaneHost() = default;

    virtual const TDatabase& Database() const = 0;
    // The fixed-pitch display font every pane draws in.
    virtual const QFont& DisplayFont() const = 0;
    virtual const TDispColour& Colours() const = 0;
    // Opens an element as a double-click in the tree does: a field or word shows its owner, a
    // built-in is explained in a message, anything else gets its definition window.
    virtual void OpenDefinition(TDefBase& element) = 0;
    // Opens the window that shows the script (its table's or list's, for a column or a filter)
    // with bytes [offset, offset + length) of its line (from 1) scrolled into view and selected.
    // Without a window to select in, it opens the script's definition alone.
    virtual void ShowInScript(TDefPicture& script, size_t /*line*/, size_t /*offset*/,
                              size_t /*length*/)
    {
        OpenDefinition(script);
    }
    // Opens or brings forward the used-by list of the element.
    virtual void ShowUsedBy(TDefBase& element) = 0;
    // The structure tree, the index and the diagram, with the element selected (none: as they are).
    virtual void ShowStructure(const TDefBase* element) = 0;
    virtual void ShowIndex(const TDefBase* element) = 0;
    virtual void ShowRelationships(const TDefBase* element) = 0;
    // Asks for a depth, then opens or brings forward the diagram of the part of the graph
    // around the picture.
    virtual void ShowFocusedDiagram(TDefBase& picture) = 0;
    // A modal message with OK and Help (the help context).
    virtual void Explain(const QString& text, const QString& caption, int helpContext) = 0;
    // Puts the element's text (as Save As Text writes it, at level 0) on the clipboard.
    virtual void CopyText(TDefBase& element) = 0;
    // A pane's selection changed: the commands' enabled state follows.
    virtual void SelectionChanged() = 0;
};
