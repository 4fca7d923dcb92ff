#include "gui/app/TCommands.h"

#include "diagram/DiagramGeometry.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* Add(QMenu* menu, const QString& text, int id, int helpTopic = 0,
             const QList<QKeySequence>& keys = {})
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setShortcuts(keys);
    if (helpTopic)
        THelpContext::Set(action, helpTopic);
    return action;
}

} // namespace

TCommands::TCommands(QMainWindow& frame)
{
    QMenuBar* bar = frame.menuBar();

    fileMenu = bar->addMenu(QStringLiteral("&File"));
    open = Add(fileMenu, QStringLiteral("&Open..."), commands::Open, helpids::Open,
               {QKeySequence(Qt::CTRL | Qt::Key_O)});
    saveAs = Add(fileMenu, QStringLiteral("Save &As..."), commands::SaveAs, helpids::SaveAs);
    exportDiagram = Add(fileMenu, QStringLiteral("&Export Diagram..."), commands::ExportDiagram,
                        helpids::RelationshipsWindow);
    preferences = Add(fileMenu, QStringLiteral("Pre&ferences..."), commands::Preferences,
                      helpids::Preferences);
    fileMenu->addSeparator();
    for (int n = 0; n < TRecentFolders::kCount; ++n) {
        recent[static_cast<size_t>(n)] = Add(fileMenu, {}, commands::FirstRecent + n);
        recent[static_cast<size_t>(n)]->setVisible(false);
    }
    recentSeparator = fileMenu->addSeparator();
    recentSeparator->setVisible(false);
    exit = Add(fileMenu, QStringLiteral("E&xit!"), commands::Exit, helpids::Exit,
               {QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(QKeySequence::Quit)});

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    copy = Add(edit, QStringLiteral("&Copy"), commands::Copy, helpids::Copy,
               {QKeySequence(Qt::CTRL | Qt::Key_C)});
    edit->addSeparator();
    filter = Add(edit, QStringLiteral("&Filter"), commands::Filter, helpids::Filter,
                 {QKeySequence(Qt::CTRL | Qt::Key_F)});
    findInScripts = Add(edit, QStringLiteral("Find in &Scripts..."), commands::FindInScripts,
                        helpids::FindInScripts, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    definition = Add(view, QStringLiteral("&Definition"), commands::Definition, helpids::Definition,
                     {QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
    index = Add(view, QStringLiteral("&Index"), commands::Index, helpids::Index,
                {QKeySequence(Qt::CTRL | Qt::Key_I)});
    messages = Add(view, QStringLiteral("&Messages"), commands::Messages, helpids::Messages,
                   {QKeySequence(Qt::CTRL | Qt::Key_M)});
    relationships = Add(view, QStringLiteral("&Relationships"), commands::Relationships,
                        helpids::Relationships, {QKeySequence(Qt::CTRL | Qt::Key_R)});
    structure = Add(view, QStringLiteral("Database S&tructure"), commands::Structure,
                    helpids::Structure, {QKeySequence(Qt::CTRL | Qt::Key_T)});
    usedBy = Add(view, QStringLiteral("&Used by list"), commands::UsedBy, helpids::UsedBy,
                 {QKeySequence(Qt::CTRL | Qt::Key_U)});
    focusedDiagram = Add(view, QStringLiteral("F&ocused Diagram..."), commands::FocusedDiagram,
                         helpids::FocusedDiagram, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)});
    unusedElements = Add(view, QStringLiteral("U&nused Elements"), commands::UnusedElements,
                         helpids::UnusedElements);
    view->addSeparator();
    back = Add(view, QStringLiteral("&Back"), commands::Back, helpids::BackForward,
               {QKeySequence(Qt::ALT | Qt::Key_Left)});
    forward = Add(view, QStringLiteral("For&ward"), commands::Forward, helpids::BackForward,
                  {QKeySequence(Qt::ALT | Qt::Key_Right)});

    zoomMenu = bar->addMenu(QStringLiteral("&Zoom"));
    for (size_t i = 0; i < zooms.size(); ++i)
        zooms[i] = Add(zoomMenu, QStringLiteral("%1%").arg(diagram::kZooms[i]),
                       commands::FirstZoom + static_cast<int>(i));
    zoomMenu->addSeparator();
    zoomMenu->addAction(focusedDiagram);
    zoomMenu->menuAction()->setVisible(false);

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    cascade = Add(window, QStringLiteral("&Cascade"), commands::Cascade);
    tile = Add(window, QStringLiteral("&Tile"), commands::Tile);
    arrangeIcons = Add(window, QStringLiteral("Arrange &Icons"), commands::ArrangeIcons);
    closeAll = Add(window, QStringLiteral("C&lose All"), commands::CloseAll);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    helpTopics = Add(help, QStringLiteral("&Help Topics"), commands::HelpTopics);
    about = Add(help, QStringLiteral("&About"), commands::About);
}
