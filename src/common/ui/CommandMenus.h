// A window's entries of its commands, built from the command table alone:
// its main menus on a menu bar, its drop-downs and context menus, each entry
// with its caption, image, hint, help context and shortcut, and enabled by
// its command's rule. The main window and the "Kursy" window build theirs
// from this.
#pragma once

#include "common/CommandRules.h"
#include "common/CommandTable.h"

#include <QIcon>
#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace marbelo {

// Image index of the "menu" or "toolbar" set in the resources.
QIcon paneImage(const char *set, int index);
// "short|long": the short part is a tooltip, the long part the status text.
QString longHint(const QString &hint);
QString shortHint(const QString &hint);

// The actions, tool button and context entries of one command.
struct CommandEntries
{
    QAction *mainMenu = nullptr;
    QAction *dropDown = nullptr;
    QAction *context = nullptr;
    QToolButton *toolButton = nullptr;
};

class CommandMenus
{
public:
    // Entries are children of owner.
    explicit CommandMenus(QWidget *owner);

    // The entry of a placed command; its role follows from its place.
    QAction *makeEntry(const CommandPlacement &placement);
    // The entries and separators placed in a menu, in order.
    void fillMenu(QMenu *menu, MenuPlace place);
    // A drop-down or context menu.
    QMenu *buildPopup(MenuPlace place, QWidget *owner);
    // The main menus of the window on its menu bar; hovered gets each
    // highlighted entry's status text.
    std::vector<QMenu *> buildMainMenus(QMenuBar *bar, CommandWindow window,
                                        const std::function<void(const QString &)> &hovered);
    // The tool buttons placed on a bar, each with its command's caption and
    // short hint, separators between groups.
    void fillTextToolBar(QToolBar *bar, MenuPlace place);
    // A context menu that pops up over pane where it is asked for.
    void attachContextMenu(MenuPlace place, QWidget *pane);

    CommandEntries &entries(Command command) { return m_entries[static_cast<std::size_t>(command)]; }
    const CommandEntries &entries(Command command) const { return m_entries[static_cast<std::size_t>(command)]; }
    // The entry that carries a command's shortcut: its main menu entry, or
    // its context entry when it has none.
    QAction *shortcutEntry(Command command) const;

    // Every entry and tool button of command runs handler.
    template <typename Receiver, typename Handler>
    void connectCommand(Command command, Receiver *receiver, Handler handler);
    // Each command of window gets its keys on its shortcut entry; an entry
    // outside the owner's menu bar acts from where: the owner, or the widget
    // of its scope.
    void applyShortcuts(CommandWindow window, const std::function<QWidget *(ShortcutScope)> &where);
    // Every entry of every command enabled by its rule.
    void applyStates(const CommandStates &states);

private:
    QWidget *m_owner;
    std::array<CommandEntries, kCommandCount> m_entries{};
};

} // namespace marbelo

#include <QAction>
#include <QToolButton>

template <typename Receiver, typename Handler>
void marbelo::CommandMenus::connectCommand(Command command, Receiver *receiver, Handler handler)
{
    const CommandEntries &e = entries(command);
    for (QAction *action : {e.mainMenu, e.dropDown, e.context})
        if (action)
            QObject::connect(action, &QAction::triggered, receiver, handler);
    if (e.toolButton)
        QObject::connect(e.toolButton, &QToolButton::clicked, receiver, handler);
}
