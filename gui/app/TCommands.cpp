#include "gui/app/TCommands.h"

#include "gui/support/THelpContext.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <map>

namespace {
const char* const kMenuTitles[] = {"&File", "&Edit", "&View", "&Zoom", "&Window", "&Help"};
}

TCommands::TCommands(QMainWindow& frame, std::vector<TCommand> commands)
    : table(std::move(commands))
{
    QMenuBar* bar = frame.menuBar();
    for (const char* title : kMenuTitles)
        menus.push_back(bar->addMenu(QString::fromLatin1(title)));
    std::map<QMenu*, QActionGroup*> groups;
    for (const TCommand& command : table) {
        QMenu* menu = Menu(command.menu);
        separators.push_back(command.separatorBefore ? menu->addSeparator() : nullptr);
        if (!command.submenu.isEmpty()) {
            QMenu*& sub = submenus[{command.menu, command.submenu}];
            if (!sub)
                sub = menu->addMenu(command.submenu);
            menu = sub;
        }
        QAction* action = menu->addAction(command.text);
        action->setData(command.id);
        action->setShortcuts(command.keys);
        if (command.checked) {
            action->setCheckable(true);
            if (!command.submenu.isEmpty()) {
                QActionGroup*& group = groups[menu];
                if (!group)
                    group = new QActionGroup(menu);
                group->addAction(action);
            }
        }
        if (command.help)
            THelpContext::Set(action, command.help);
        actions.push_back(action);
    }
    // After the menu's own entries.
    for (size_t row = 0; row < table.size(); ++row) {
        if (const std::optional<TMenu> menu = table[row].alsoIn) {
            Menu(*menu)->addSeparator();
            Menu(*menu)->addAction(actions[row]);
        }
    }
}

void TCommands::UpdateChecks(const TMainFrame& frame) const
{
    for (size_t row = 0; row < table.size(); ++row)
        if (table[row].checked)
            actions[row]->setChecked(table[row].checked(frame));
}

std::optional<size_t> TCommands::Row(int id) const
{
    const auto row = std::find_if(table.begin(), table.end(),
                                  [id](const TCommand& command) { return command.id == id; });
    if (row == table.end())
        return std::nullopt;
    return static_cast<size_t>(row - table.begin());
}

QAction* TCommands::Action(int id) const
{
    const std::optional<size_t> row = Row(id);
    return row ? actions[*row] : nullptr;
}

QAction* TCommands::SeparatorBefore(int id) const
{
    const std::optional<size_t> row = Row(id);
    return row ? separators[*row] : nullptr;
}
