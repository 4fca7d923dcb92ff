#pragma once

#include "gui/views/TChildWindow.h"
#include "gui/views/TPaneHost.h"
#include "load/TDatabase.h"
#include "model/TDisplayHost.h"
#include "script/TDispColour.h"
#include "views/TNavigationHistory.h"

#include <QFont>
#include <QMdiArea>
#include <QPointer>

#include <string>

class TDisplayBrowser;
class TDisplayChild;
class TFilterBox;
class TPane;
class TTreeChild;

// The main frame's client: owns the loaded design (with its messages log) and the display font,
// and holds every child window: the structure tree pinned in the column at the left, the others
// to its right. It is the screen the model's Display operations reach, and the services the panes
// use.
class TSpecMDI : public QMdiArea, public TDisplayHost, public TPaneHost {
    Q_OBJECT
public:
    // logPath: the file each load's messages log is written to; empty keeps it in memory only.
    explicit TSpecMDI(const std::string& logPath, QWidget* parent = nullptr);
    ~TSpecMDI() override;

    const TDatabase& Database() const override { return db; }
    // Writing clears the elements' written marks (Save As Text).
    TDatabase& Database() { return db; }
    const QFont& DisplayFont() const override { return displayFont; }
    const TDispColour& Colours() const override { return colours; }
    TDispColour& Colours() { return colours; }
    // The width of the column at the left kept for the structure tree.
    int TreeColumn() const { return treeColumn; }
    void SetTreeColumn(int width) { treeColumn = width; }
    // Where the next new child goes in the cascade, 0 to 6.
    int PlacementCounter() const { return placement; }
    TTreeChild* TreeChild() const;
    TChildWindow* FindChild(TChildKey key) const;

    // Loads the database folder. False, after the "File Missing" box, when it holds no readable
    // control.ged; nothing else has changed then.
    bool ReadFile(const QString& folder);
    // Opens or brings forward the structure tree; selects the element's leaf when one is given.
    void ShowStructure(int element = -1);
    // The pane of the active child, when it answers commands; null otherwise.
    TPane* ActivePane() const;
    // The relationships diagram, whole or focused, when it is the active child; null otherwise.
    TDisplayBrowser* ActiveBrowser() const;
    // The filter box of the index or the structure tree when that is the active child; null
    // otherwise.
    TFilterBox* ActiveFilterBox() const;
    // The element of the structure tree's selected leaf while the tree is the active child; -1
    // otherwise. The Definition command opens it.
    int ActiveTreeLeaf() const;
    void OpenActiveTreeLeaf();
    // The used-by list of the tree's selected leaf (while the tree is active) when something
    // uses its element.
    void ShowActiveTreeLeafUsers();
    void ShowMessages();
    // The script lines that hold the text, in a window captioned "Find: " and the text; the
    // window of an earlier search for the same text comes forward instead. No line: a message.
    void ShowFind(const std::string& text);
    // The name of what the active child has selected: a definition pane's piece (the element it
    // names), a list's row, the tree's leaf; the text of a find window. Empty when none.
    std::string SelectedName() const;
    // The pictures, fields, groups, records and choices that nothing uses.
    void ShowUnused();
    // Through the definition windows activated, as a web browser goes through its pages; a
    // window closed since opens again.
    bool CanGoBack() const { return history.CanGoBack(); }
    bool CanGoForward() const { return history.CanGoForward(); }
    void GoBack();
    void GoForward();
    // Shows an element: a field or word in its owner's window, a built-in in a message, any
    // other element through its Display. onlyActivate: bring an open window forward, make none.
    void OpenDefinition(TDefBase& element, bool onlyActivate);

    // The arrangements act right of the tree column and leave the tree where it is.
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void CloseAll();
    // The rectangle of a new child whose content asks for this size; each call moves the
    // cascade one step on, seven steps round.
    QRect PlaceChild(QSize content);

    // Brings the child forward, restored. False when none shows this.
    bool ActivateChild(TChildKey key);
    bool ActivateDefinition(const TDefBase& element) override;
    void OpenDefinition(TDefBase& element, TPaneKind pane) override;
    void ShowError(std::string_view text, std::string_view caption) override;

    void OpenDefinition(TDefBase& element) override;
    void ShowUsedBy(TDefBase& element) override;
    void ShowStructure(const TDefBase* element) override;
    void ShowIndex(const TDefBase* element) override;
    void ShowRelationships(const TDefBase* element) override;
    void ShowFocusedDiagram(TDefBase& picture) override;
    // Opens the diagram of the part of the graph around the picture, or brings it forward built
    // again at this depth; the picture is selected and centred.
    void OpenFocusedDiagram(TDefBase& picture, int depth);
    void Explain(const QString& text, const QString& caption, int helpContext) override;
    void CopyText(TDefBase& element) override;
    void ShowInScript(TDefPicture& script, size_t line, size_t offset, size_t length) override;
    void SelectionChanged() override;

Q_SIGNALS:
    // A database was loaded: the document title and the commands follow it.
    void Loaded();
    void HelpRequested(int contextId);
    // The structure tree's selection moved.
    void TreeSelectionMoved();
    // A pane's selection changed (so did what its commands can do).
    void PaneSelectionMoved();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Activate(TChildWindow* child);
    void AddChild(TDisplayChild* child);
    void RecordActivation(QMdiSubWindow* window);
    void OpenElementAt(int element, bool onlyActivate);
    void DeleteChildren();
    QRect ArrangeRect() const;
    // The children the arrangements move, bottom of the stack first.
    QList<QMdiSubWindow*> Arranged(bool minimised) const;
    int CaptionHeight() const;

    TDatabase db;
    QFont displayFont;
    TDispColour colours;
    QPointer<TTreeChild> treeChild;
    TNavigationHistory history;
    int placement = 0;
    int treeColumn = 0;
    int focusDepth = 2; // offered by the next Focused Diagram, for the rest of the session
};
