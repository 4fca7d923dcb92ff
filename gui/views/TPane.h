#pragma once

#include "gui/print/TPrintout.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class QFont;
class QString;
class TDefBase;
class TDefPicture;
class TFilterBox;

// What a pane holds that the main frame's commands act on; the frame reads it whenever the
// active child or its selection changes, and the command table decides from it.
struct TPaneState {
    // The pane runs these itself (TPane::Copy, TPane::OpenSelected, TPane::Printout).
    bool canCopy = false;
    bool canOpen = false;
    bool canPrint = false;
    // Used by list shows this element's users; disabled without it or when nothing uses it.
    const TDefBase* usedBy = nullptr;
    // False: Structure, Index and Relationships are disabled while the pane is active.
    bool locates = true;
    // Structure and Index select this element, Relationships diagramElement; null: they open
    // as they are.
    const TDefBase* located = nullptr;
    const TDefBase* diagramElement = nullptr;
    // Focused Diagram centres on this picture; disabled without it.
    const TDefBase* focusPicture = nullptr;
    // What Find in Scripts offers; empty: the text searched last.
    std::string selectedName;
    // Edit > Filter puts the keyboard here.
    TFilterBox* filter = nullptr;
    // The zoom steps and Export Diagram are there (the pane is a diagram).
    bool isDiagram = false;
    // Next Difference and Previous Difference are there (the pane shows a comparison).
    bool differences = false;
};

// What a pane gives back when a reload (or the next start) makes it again: what was selected,
// the filter, the zoom. The window manager finds the selected element again by its title.
struct TPaneMemo {
    const TDefBase* selected = nullptr; // a tree leaf's, a list row's or a diagram's element
    std::string filter;                 // the filter box's bytes
    int zoom = 0;                       // a diagram's; 0 for none
    // A definition pane's selected piece, by a point inside it in content coordinates; x < 0:
    // none.
    int pieceX = -1;
    int pieceY = -1;
    // The tree's expanded nodes, each as the labels from the root down to it; its current node,
    // which may stand for no element (a category), likewise.
    std::vector<std::vector<std::string>> expanded;
    std::vector<std::string> current;
};

// A child window's content as the main frame sees it: its state, and the commands that only the
// pane itself can run. Every child window holds one.
class TPane {
public:
    virtual ~TPane() = default;

    virtual TPaneState State() const = 0;
    // Called only while the state allows them.
    virtual void Copy() const {}
    virtual void OpenSelected() {}
    // A definition window brought forward by an open shows its element, not what was selected.
    virtual void ClearSelection() {}
    // Selects bytes [offset, offset + length) of a line (from 1) of the script, scrolled into
    // view. False, changing nothing, when the pane does not show that line.
    virtual bool ShowText(const TDefPicture& /*script*/, size_t /*line*/, size_t /*offset*/,
                          size_t /*length*/)
    {
        return false;
    }
    // A diagram's zoom (one of diagram::kZooms), and writing the diagram to a file: false, with
    // the reason, when it can't be written.
    virtual void SetZoom(int /*zoom*/) {}
    virtual bool Export(const QString& /*path*/, QString& /*error*/) const { return false; }
    // What Print, Print Preview and Export as PDF put on paper; null when the pane prints
    // nothing.
    virtual std::unique_ptr<TPrintout> Printout() const { return nullptr; }
    // A comparison's next or previous change.
    virtual void StepChange(bool /*forward*/) {}
    // The document's fixed font changed size: a pane that draws in it lays itself out anew,
    // keeping its scroll position in characters and lines and its selected piece.
    virtual void SetTextFont(const QFont& /*font*/) {}
    // What to give back to the pane made again, and giving it back (memo.selected is then an
    // element of the design the pane shows).
    virtual TPaneMemo Memo() const { return {}; }
    virtual void Recall(const TPaneMemo& /*memo*/) {}
};
