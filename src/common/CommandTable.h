// Every entry through which the user gives a command: the five main menus,
// the three tool-button drop-downs, the four context menus of the panes and
// the tool buttons; each with its object name, caption, image, help context
// and hint. The main window builds its menus and tool bar from these tables.
#pragma once

#include "common/CommandRules.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

namespace marbelo {

// One entry of a menu; command Count stands for a separator.
struct EntryInfo
{
    Command command = Command::Count;
    const char *objectName = "";
    QString caption;
    int image = -1;
    int helpContext = 0;
    QString hint; // the long hint, shown in the status bar (main menus only)
};

struct MenuInfo
{
    const char *objectName;
    QString caption;
    int helpContext = 0;
    QString hint;
    std::vector<EntryInfo> entries;
};

// Where a drop-down or context menu hangs.
enum class MenuPlace { TopicsButton, TrainingsButton, PresentationsButton, TopicList, TopicTree, TrainingList, Outline };

struct PopupInfo
{
    MenuPlace place;
    const char *objectName;
    std::vector<EntryInfo> entries;
};

// A tool button; the three drop-down buttons have no command of their own.
struct ToolButtonInfo
{
    const char *objectName;
    int image;
    QString hint; // "short|long"
    Command command;
    int helpContext;
    bool gapBefore; // an 8-pixel gap separates it from the button before
};

// Where a command's keyboard shortcut acts: anywhere in the main window, or
// only while the detailed-topic tree or the outline has the focus.
enum class ShortcutScope { Window, TopicTree, Outline };

struct ShortcutInfo
{
    Command command;
    QList<QKeySequence> keys; // the first is shown in the menu
    ShortcutScope scope;
};

const std::vector<MenuInfo> &mainMenuTable();
const std::vector<ShortcutInfo> &shortcutTable();
// The caption of an undo or redo entry naming what it acts on ("Cofnij:
// Usuń pozycję"), or the plain caption when the history has nothing.
QString historyCaption(const QString &caption, const QString &what);
const std::vector<PopupInfo> &popupTable();
const std::vector<ToolButtonInfo> &toolButtonTable();

} // namespace marbelo
