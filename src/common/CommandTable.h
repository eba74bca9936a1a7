// Every command as one record (caption, image, help context, hint, keys and
// the rule that enables it), and every place where the user gives it: the
// five main menus, the three tool-button drop-downs, the four context menus of
// the panes and the tool bar are lists of placements of these commands. The
// main window builds its menus and tool bar from these tables alone.
#pragma once

#include "common/CommandRules.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

namespace marbelo {

// Where a command's keyboard shortcut acts: anywhere in the main window, or
// only while the detailed-topic tree or the outline has the focus; or in the
// "Kursy" window, the register's, the employers' or the renewals', whose
// commands these are.
enum class ShortcutScope { Window, TopicTree, Outline, Courses, Register, Employers, Renewals };

// The window whose menus show a command or a menu.
enum class CommandWindow { Main, Courses, Register, Employers, Renewals };

struct CommandInfo
{
    Command command;
    QString caption;      // in the main menu
    QString popupCaption; // in drop-downs and context menus; empty: the caption
    int image;            // in the menus' image set; -1: none
    int helpContext;
    // "short|long": the long part is the status text of the main-menu entry;
    // the short part is the tooltip of the tool button, where there is one.
    QString hint;
    QList<QKeySequence> keys; // the first is shown in the menu
    ShortcutScope scope;
    Rule rule;
    int toolImage = -1; // in the tool bar's image set, for a command with a tool button
};

// The menus and the bar that hold entries.
enum class MenuPlace {
    ProgramMenu,
    TopicsMenu,
    TrainingsMenu,
    PresentationsMenu,
    HelpMenu,
    TopicsDropDown,
    TrainingsDropDown,
    PresentationsDropDown,
    TopicListMenu,
    TopicTreeMenu,
    TrainingListMenu,
    OutlineMenu,
    ToolBar,
    // The "Kursy" window: its menu bar, tool bar and the context menus of its tables.
    CourseMenu,
    ParticipantsMenu,
    ExamMenu,
    CertificatesMenu,
    CoursesToolBar,
    CourseListMenu,
    ParticipantListMenu,
    // The register window: its menu bar's menu, tool bar and its table's context menu.
    RegisterMenu,
    RegisterToolBar,
    RegisterListMenu,
    // The employers window: its menu, tool bar and its table's context menu.
    EmployersMenu,
    EmployersToolBar,
    EmployerListMenu,
    // The renewals window: its menu, tool bar and its tree's context menu.
    RenewalsMenu,
    RenewalsToolBar,
    RenewalsListMenu,
};

// What an entry is, which follows from its place alone.
enum class EntryRole { MainMenu, DropDown, Context, ToolBar };
EntryRole roleOf(MenuPlace place);
CommandWindow windowOf(MenuPlace place);
CommandWindow windowOf(const CommandInfo &info);

// One slot of a menu or of the tool bar: a command's entry, a separator (on
// the tool bar an 8-pixel gap), or the tool button that opens a drop-down.
enum class PlacementKind { Entry, Separator, DropDownButton };

struct CommandPlacement
{
    MenuPlace place;
    PlacementKind kind;
    Command command = Command::Count; // PlacementKind::Entry
    const char *objectName = "";      // the entry's or the button's
    MenuPlace dropDown = MenuPlace::ToolBar;  // PlacementKind::DropDownButton: the drop-down it opens
    QString caption;                  // this entry's own caption; empty: the command's for its role
};

// A menu: a main menu (caption, hint, help context), a drop-down (the image,
// "short|long" hint and help context of the tool button that opens it), or a
// pane's context menu (its name alone).
struct MenuInfo
{
    MenuPlace place;
    const char *objectName;
    QString caption;
    QString hint;
    int helpContext = 0;
    int image = -1;
};

const std::vector<CommandInfo> &commandTable();
const CommandInfo &commandInfo(Command command);
const std::vector<MenuInfo> &menuTable();
const MenuInfo &menuInfo(MenuPlace place);
// In order within each place.
const std::vector<CommandPlacement> &placementTable();
// The caption a placed entry shows.
QString entryCaption(const CommandPlacement &placement);

// The caption of an undo or redo entry naming what it acts on ("Cofnij:
// Usuń pozycję"), or the plain caption when the history has nothing.
QString historyCaption(const QString &caption, const QString &what);

} // namespace marbelo
