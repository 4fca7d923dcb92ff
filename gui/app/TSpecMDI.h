#pragma once

#include "gui/app/TPaneServices.h"
#include "gui/views/TChildWindow.h"
#include "gui/views/TPane.h"
#include "load/TDatabase.h"
#include "model/TDisplayHost.h"
#include "views/TNavigationHistory.h"

#include <QMdiArea>
#include <QPointer>

#include <map>
#include <string>
#include <utility>
#include <vector>

class TDefBase;
class TDisplayBrowser;
class TDisplayIndex;
class TDefPicture;
class TDisplayChild;
class TTreeChild;
struct TDocument;

// The main frame's client: the window manager. It holds every child window (the structure tree
// pinned in the column at the left, the others to its right), finds them by what they show,
// opens the window each element and list gets, places and arranges them, and tells which pane is
// active. The document it shows belongs to the main frame; panes reach the frame through the
// services it hands them.
class TSpecMDI : public QMdiArea {
    Q_OBJECT
public:
    explicit TSpecMDI(TDocument& document, QWidget* parent = nullptr);
    ~TSpecMDI() override;

    const TDocument& Document() const { return document; }
    TPaneServices& Services() { return services; }
    // The width of the column at the left kept for the structure tree.
    int TreeColumn() const { return treeColumn; }
    void SetTreeColumn(int width) { treeColumn = width; }
    // Where the next new child goes in the cascade, 0 to 6.
    int PlacementCounter() const { return placement; }
    TTreeChild* TreeChild() const;
    TChildWindow* FindChild(TChildKey key) const;
    // The pane of the active child; null when no child is active.
    TPane* ActivePane() const;
    // What the commands act on now: the active pane's state, or that of no pane.
    TPaneState ActiveState() const;

    // Loads the database folder. False, after the "File Missing" box (or one with the reason the
    // file can't be read), when it holds no readable control.ged; nothing else has changed then.
    bool ReadFile(const QString& folder);
    // Loads the opened file in place of the design shown, closing every window and opening none,
    // with no box whatever the file holds (a reload).
    void LoadQuietly(TDatabase::TOpenedFile& file);
    // Compares the design in the folder (the old side) with the loaded one (the new side) in the
    // Differences window, which replaces an earlier one; the diagrams mark the added and changed
    // pictures while it is open. A folder that can't be read, the loaded folder itself and a
    // design with no differences get a message instead, and change nothing.
    void CompareWith(const QString& folder);
    // Opens or brings forward the structure tree, with the keyboard in it; selects the element's
    // leaf when one is given.
    void ShowStructure(const TDefBase* element = nullptr);
    void ShowMessages();
    // The script lines that hold the text, in a window captioned "Find: " and the text; the
    // window of an earlier search for the same text comes forward instead. No line: a message.
    // quiet: no message when no line holds it; false then.
    bool ShowFind(const std::string& text, bool quiet = false);
    // The pictures, fields, groups, records and choices that nothing uses.
    void ShowUnused();
    void ShowUsedBy(const TDefBase& element);
    // The index, the diagram: opened or brought forward, with the element selected (none: as
    // they are).
    void ShowIndex(const TDefBase* element);
    void ShowRelationships(const TDefBase* element);
    // Opens the diagram of the part of the graph around the picture, or brings it forward built
    // again at this depth; the picture is selected and centred.
    void OpenFocusedDiagram(const TDefBase& picture, int depth);
    // The definition windows activated, which a reload carries over.
    const TNavigationHistory& History() const { return history; }
    void SetHistory(TNavigationHistory kept) { history = std::move(kept); }
    // Through the definition windows activated, as a web browser goes through its pages; a
    // window closed since opens again.
    bool CanGoBack() const { return history.CanGoBack(); }
    bool CanGoForward() const { return history.CanGoForward(); }
    void GoBack();
    void GoForward();
    // Shows an element as the core's opening rule says: its owner's window, a message, its own
    // window. onlyActivate: bring an open window forward, make none.
    void OpenDefinition(const TDefBase& element, bool onlyActivate = false);
    // A new definition window holding the pane of this kind.
    void OpenPane(const TDefBase& element, TPaneKind pane);

    // The arrangements act right of the tree column and leave the tree where it is.
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void CloseAll();
    // The rectangle of a new child whose content asks for this size and whose caption needs
    // this width; each call moves the cascade one step on, seven steps round.
    QRect PlaceChild(QSize content, int captionWidth = 0);
    // Brings the child forward, restored. False when none shows this.
    bool ActivateChild(TChildKey key);
    // Every pane draws in the document's font anew (its size changed).
    void UpdateTextFont();

Q_SIGNALS:
    // A database is about to replace the one shown, and then was loaded: the document title and
    // the commands follow it.
    void AboutToLoad();
    void Loaded();
    void HelpRequested(int contextId);
    // The active pane's selection changed (so did what the commands can do).
    void PaneSelectionMoved();
    // A note for the status bar.
    void StatusMessage(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Activate(TChildWindow* child);
    void AddChild(TDisplayChild* child);
    // Every child goes through here, so the list of children is always whole.
    void Adopt(TChildWindow* child);
    void RecordActivation(QMdiSubWindow* window);
    void OpenElementAt(int element, bool onlyActivate);
    void DeleteChildren();
    // Opens the folder's control.ged; false, after the box that says why, when it can't be read.
    bool OpenDefinitionFile(const std::string& folder, TDatabase::TOpenedFile& file);
    // Every diagram repaints (the marks of a comparison came or went).
    void RepaintDiagrams();
    QRect ArrangeRect() const;
    // The children the arrangements move, bottom of the stack first.
    std::vector<TChildWindow*> Arranged(bool minimised) const;
    void Place(const std::vector<TChildWindow*>& arranged, const std::vector<QRect>& places);
    TChildWindow* ChildOf(const QMdiSubWindow* window) const;

    TDocument& document;
    TPaneServices services;
    std::vector<TChildWindow*> children;
    // The panes that a second open brings forward with something else selected.
    QPointer<TTreeChild> treeChild;
    QPointer<TDisplayIndex> index;
    QPointer<TDisplayBrowser> relationships;
    std::map<int, QPointer<TDisplayBrowser>> focused; // by the picture at the centre
    TNavigationHistory history;
    int placement = 0;
    int treeColumn = 0;
};
