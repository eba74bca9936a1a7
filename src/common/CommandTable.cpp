#include "common/CommandTable.h"

#include <QGuiApplication>

#include <algorithm>

namespace marbelo {

namespace {

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// The platform's key for a standard action, or ours where it has none. The
// platform is known only to a GUI application; without one (the command
// rules evaluated by the tool or the core tests) no shortcut acts anyway.
QKeySequence standardKey(QKeySequence::StandardKey key, QKeySequence fallback)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return fallback;
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    return bindings.isEmpty() ? fallback : bindings.first();
}

CommandPlacement entry(MenuPlace place, Command command, const char *name, const char16_t *caption = nullptr)
{
    return {place, PlacementKind::Entry, command, name, MenuPlace::ToolBar, caption ? s(caption) : QString()};
}

CommandPlacement separator(MenuPlace place)
{
    return {place, PlacementKind::Separator, Command::Count, "", MenuPlace::ToolBar, {}};
}

CommandPlacement dropDownButton(const char *name, MenuPlace dropDown)
{
    return {MenuPlace::ToolBar, PlacementKind::DropDownButton, Command::Count, name, dropDown, {}};
}

} // namespace

const std::vector<CommandInfo> &commandTable()
{
    using K = QKeySequence;
    using C = Command;
    using S = ShortcutScope;
    using R = Rule;
    // One row per command, in the order of the Command enum.
    static const std::vector<CommandInfo> commands = {
        {C::Exit, s(u"Zakończ"), {}, 0, 2219, s(u"Zakończ|Kończy działanie programu"),
         {standardKey(K::Quit, K(Qt::CTRL | Qt::Key_Q))}, S::Window, R::Always, 0},
        {C::Find, s(u"Szukaj"), s(u"Szukaj w tematach"), 1, 2221, s(u"Przeszukuje tematy ramowe i szczegółowe"),
         {standardKey(K::Find, K(Qt::CTRL | Qt::Key_F))}, S::Window, R::TopicsListed},
        {C::FindNext, s(u"Szukaj dalej"), s(u"Szukaj dalej w tematach"), 2, 2222,
         s(u"Kontynuuje dalsze przeszukiwanie tematów"), {K(Qt::Key_F3)}, S::Window, R::SearchUnderWay},
        {C::CopyTopic, s(u"Kopiuj"), s(u"Kopiuj temat"), 3, 2223, s(u"Kopiuje temat szczegółowy do prezentacji"),
         {K(Qt::Key_Return), K(Qt::Key_Enter)}, S::TopicTree, R::TopicIntoSection},
        {C::NewTraining, s(u"Nowe"), s(u"Nowe szkolenie"), 4, 2231, s(u"Tworzy nowe szkolenie"),
         {K(Qt::CTRL | Qt::Key_N)}, S::Window, R::Always},
        {C::NewTrainingFrom, s(u"Nowe od ..."), s(u"Nowe szkolenie od ..."), 5, 2232,
         s(u"Tworzy nowe szkolenie na podstawie już istniejącego"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}, S::Window,
         R::TrainingSelected},
        {C::RenameTraining, s(u"Popraw"), s(u"Popraw szkolenie"), 6, 2233,
         s(u"Umożliwia poprawienie nazwy aktualnie wybranego szkolenia"), {K(Qt::SHIFT | Qt::Key_F2)}, S::Window,
         R::TrainingSelected},
        {C::DeleteTraining, s(u"Usuń"), s(u"Usuń szkolenie"), 7, 2234, s(u"Usuwa aktualnie wybrane szkolenie"),
         {K(Qt::SHIFT | Qt::Key_Delete)}, S::Window, R::TrainingSelected},
        {C::UndoTraining, s(u"Cofnij"), {}, -1, 2235, s(u"Cofa ostatnią zmianę na liście szkoleń"),
         {K(Qt::CTRL | Qt::ALT | Qt::Key_Z)}, S::Window, R::TrainingsCanUndo},
        {C::RedoTraining, s(u"Ponów"), {}, -1, 2236, s(u"Ponawia ostatnio cofniętą zmianę na liście szkoleń"),
         {K(Qt::CTRL | Qt::ALT | Qt::Key_Y)}, S::Window, R::TrainingsCanRedo},
        {C::NewItem, s(u"Nowa pozycja"), s(u"Nowa pozycja w prezentacji"), 8, 2241,
         s(u"Tworzy nową pozycję w aktualnie tworzonej prezentacji do szkolenia"), {K(Qt::Key_Insert)}, S::Outline,
         R::TrainingSelected},
        {C::RenameItem, s(u"Popraw pozycję"), s(u"Popraw pozycję w prezentacji"), 9, 2242,
         s(u"Umożliwia poprawienie aktualnie wybranej pozycji w prezentacji"), {K(Qt::Key_F2)}, S::Outline,
         R::ItemSelected},
        {C::MoveItemTop, s(u"Przenieś wzwyż"), {}, 10, 2243,
         s(u"Przenosi wzwyż w chierarchi aktualnie wybrana pozycję w prezentacji"), {K(Qt::ALT | Qt::Key_Left)},
         S::Outline, R::ItemHasParent},
        {C::MoveItemUp, s(u"Przenieś w górę"), {}, 11, 2244,
         s(u"Przenosi w górę aktualnie wybrana pozycję w prezentacji"), {K(Qt::ALT | Qt::Key_Up)}, S::Outline,
         R::ItemNotFirst},
        {C::MoveItemDown, s(u"Przenieś w dół"), {}, 12, 2245,
         s(u"Przenosi w dół aktualnie wybrana pozycję w prezentacji"), {K(Qt::ALT | Qt::Key_Down)}, S::Outline,
         R::ItemHasNextSibling},
        {C::MoveItemBottom, s(u"Przenieś wgłąb"), {}, 13, 2246,
         s(u"Przenosi wgłąb w chierarchi aktualnie wybrana pozycję w prezentacji"), {K(Qt::ALT | Qt::Key_Right)},
         S::Outline, R::NextSiblingIsSection},
        {C::DeleteItem, s(u"Usuń pozycję"), s(u"Usuń pozycję z prezentacji"), 14, 2247,
         s(u"Usuwa aktualnie wybraną pozycję prezentacji"), {K(Qt::Key_Delete)}, S::Outline, R::ItemSelected},
        {C::UndoItem, s(u"Cofnij"), {}, -1, 2255, s(u"Cofa ostatnią zmianę prezentacji wybranego szkolenia"),
         {standardKey(K::Undo, K(Qt::CTRL | Qt::Key_Z))}, S::Window, R::OutlineCanUndo},
        {C::RedoItem, s(u"Ponów"), {}, -1, 2256,
         s(u"Ponawia ostatnio cofniętą zmianę prezentacji wybranego szkolenia"),
         {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, S::Window, R::OutlineCanRedo},
        {C::Preview, s(u"Podgląd prezentacji"), {}, 15, 2248,
         s(u"Wyświetla podgląd aktualnie tworzonej prezentacji"), {K(Qt::Key_F5)}, S::Window, R::OutlineHasItems},
        {C::Export, s(u"Utwórz prezentację"), {}, 16, 2249,
         s(u"Generuje i zapisuje gotową prezentację w wybranej lokalizacji"), {K(Qt::CTRL | Qt::Key_E)}, S::Window,
         R::OutlineHasItems},
        {C::SavePdf, s(u"Zapisz jako PDF"), {}, 16, 2250,
         s(u"Zapisuje slajdy prezentacji lub materiały dla uczestników w pliku PDF"),
         {standardKey(K::Print, K(Qt::CTRL | Qt::Key_P))}, S::Window, R::OutlineHasItems},
        {C::HelpContents, s(u"Spis treści"), {}, 17, 2261,
         s(u"Spis treści pomocy|Uruchamia system pomocy programu i przechodzi do spisu treści pomocy"),
         {K(Qt::CTRL | Qt::Key_F1)}, S::Window, R::Always, 4},
        {C::HelpIndex, s(u"Indeks"), {}, 18, 2262,
         s(u"Indeks pomocy|Uruchamia system pomocy programu i przechodzi do indeksu pomocy"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_F1)}, S::Window, R::Always, 5},
        {C::HelpInternet, s(u"Tavo w internecie"), {}, 19, 2263,
         s(u"Tavo w internecie|Uruchamia przeglądarkę internetową i przechodzi na stronę producenta programu"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_W)}, S::Window, R::Always, 6},
        {C::HelpEmail, s(u"Poczta do tavo"), {}, 20, 2264,
         s(u"Poczta do tavo|Uruchamia program pocztowy wraz z rozpoczętą wiadomościa do producenta programu"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_M)}, S::Window, R::Always, 7},
        {C::About, s(u"O programie ..."), {}, 21, 2265,
         s(u"Informacje o programie|Wyświetla informacje o programie, jego wersji, prawach autorskich"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_I)}, S::Window, R::Always, 8},
        {C::ImportSlides, s(u"Importuj slajdy..."), {}, -1, 2224,
         s(u"Importuje slajdy z dokumentów PDF i obrazów jako nowy temat ramowy"), {K(Qt::CTRL | Qt::Key_I)},
         S::Window, R::Always},
        {C::RenameOwnTopic, s(u"Zmień nazwę tematu"), {}, -1, 2225, {}, {K(Qt::CTRL | Qt::Key_F2)}, S::Window,
         R::OwnTopicSelected},
        {C::DeleteOwnTopic, s(u"Usuń temat"), {}, -1, 2226, {}, {K(Qt::CTRL | Qt::Key_Delete)}, S::Window,
         R::OwnTopicSelected},
        {C::SetHours, s(u"Liczba godzin..."), {}, -1, 2257,
         s(u"Ustala liczbę godzin zajęć teoretycznych i ćwiczeń wybranego rozdziału, działu lub poddziału oraz "
           u"formę szkolenia"),
         {K(Qt::CTRL | Qt::Key_H)}, S::Outline, R::HeadingSelected},
        {C::SaveProgramme, s(u"Program szkolenia (PDF)..."), {}, -1, 2258,
         s(u"Zapisuje program szkolenia z liczbą godzin w pliku PDF"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
         S::Window, R::TrainingSelected},
        {C::Courses, s(u"Kursy..."), s(u"Kursy szkolenia"), -1, 2237,
         s(u"Kursy|Kursy wybranego szkolenia: uczestnicy, lista obecności, wyniki i zaświadczenia"),
         {K(Qt::CTRL | Qt::Key_K)}, S::Window, R::TrainingSelected},
        {C::QuestionBank, s(u"Pytania do tematu..."), {}, -1, 2227,
         s(u"Otwiera bank pytań egzaminacyjnych wybranego tematu ramowego"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
         S::Window, R::TopicsListed},
    };
    return commands;
}

const CommandInfo &commandInfo(Command command)
{
    return commandTable()[static_cast<std::size_t>(command)];
}

const std::vector<MenuInfo> &menuTable()
{
    static const std::vector<MenuInfo> menus = {
        {MenuPlace::ProgramMenu, "QelProgramMenu", s(u"Program"), s(u"Funkcje pomocnicze"), 2210},
        {MenuPlace::TopicsMenu, "QelModulesMenu", s(u"Tematy"),
         s(u"Funkcje do przeszukiwania i kopiowania tematów do prezentacji"), 2220},
        {MenuPlace::TrainingsMenu, "QelProjectsMenu", s(u"Szkolenia"),
         s(u"Funkcje do tworzenia, poprawiania i usuwania szkoleń"), 2230},
        {MenuPlace::PresentationsMenu, "QelViewMenu", s(u"Prezentacje"),
         s(u"Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji"), 2240},
        {MenuPlace::HelpMenu, "QelHelpMenu", s(u"Pomoc"), s(u"Funkcje informacyjne i kontaktowe"), 2260},
        {MenuPlace::TopicsDropDown, "QelModulesToolBarPopupMenu", {},
         s(u"Tematy|Funkcje do przeszukiwania i kopiowania tematów do prezentacji"), 2220, 1},
        {MenuPlace::TrainingsDropDown, "QelProjectsToolBarPopupMenu", {},
         s(u"Szkolenia|Funkcje do tworzenia, poprawiania i usuwania szkoleń"), 2230, 2},
        {MenuPlace::PresentationsDropDown, "QelViewToolBarPopupMenu", {},
         s(u"Prezentacje|Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji"), 2240, 3},
        {MenuPlace::TopicListMenu, "QelModulesListBodyPopupMenu", {}, {}},
        {MenuPlace::TopicTreeMenu, "QelModulesBodyToolBarPopupMenu", {}, {}},
        {MenuPlace::TrainingListMenu, "QelProjectsBodyToolBarPopupMenu", {}, {}},
        {MenuPlace::OutlineMenu, "QelViewBodyToolBarPopupMenu", {}, {}},
    };
    return menus;
}

const MenuInfo &menuInfo(MenuPlace place)
{
    const std::vector<MenuInfo> &menus = menuTable();
    return *std::find_if(menus.begin(), menus.end(), [place](const MenuInfo &m) { return m.place == place; });
}

const std::vector<CommandPlacement> &placementTable()
{
    using C = Command;
    using P = MenuPlace;
    static const std::vector<CommandPlacement> placements = {
        entry(P::ProgramMenu, C::Exit, "QelProgramExitMenuItem"),

        entry(P::TopicsMenu, C::Find, "QelModulesFindMenuItem"),
        entry(P::TopicsMenu, C::FindNext, "QelModulesFindNextMenuItem"),
        separator(P::TopicsMenu),
        entry(P::TopicsMenu, C::CopyTopic, "QelModulesMoveMenuItem"),
        separator(P::TopicsMenu),
        entry(P::TopicsMenu, C::ImportSlides, "QelModulesImportMenuItem"),
        entry(P::TopicsMenu, C::QuestionBank, "QelModulesQuestionsMenuItem"),

        entry(P::TrainingsMenu, C::NewTraining, "QelProjectsNewMenuItem"),
        entry(P::TrainingsMenu, C::NewTrainingFrom, "QelProjectsNewFromMenuItem"),
        entry(P::TrainingsMenu, C::RenameTraining, "QelProjectsCorectMenuItem"),
        entry(P::TrainingsMenu, C::DeleteTraining, "QelProjectsDeleteMenuItem"),
        separator(P::TrainingsMenu),
        entry(P::TrainingsMenu, C::UndoTraining, "QelProjectsUndoMenuItem"),
        entry(P::TrainingsMenu, C::RedoTraining, "QelProjectsRedoMenuItem"),
        separator(P::TrainingsMenu),
        entry(P::TrainingsMenu, C::Courses, "QelProjectsCoursesMenuItem"),

        entry(P::PresentationsMenu, C::NewItem, "QelViewNewMenuItem"),
        entry(P::PresentationsMenu, C::RenameItem, "QelViewCorectMenuItem"),
        entry(P::PresentationsMenu, C::MoveItemTop, "QelViewTopMenuItem"),
        entry(P::PresentationsMenu, C::MoveItemUp, "QelViewUpMenuItem"),
        entry(P::PresentationsMenu, C::MoveItemDown, "QelViewDownMenuItem"),
        entry(P::PresentationsMenu, C::MoveItemBottom, "QelViewBottomMenuItem"),
        entry(P::PresentationsMenu, C::DeleteItem, "QelViewDeleteMenuItem"),
        entry(P::PresentationsMenu, C::UndoItem, "QelViewUndoMenuItem"),
        entry(P::PresentationsMenu, C::RedoItem, "QelViewRedoMenuItem"),
        separator(P::PresentationsMenu),
        entry(P::PresentationsMenu, C::Preview, "QelViewViewMenuItem"),
        entry(P::PresentationsMenu, C::Export, "QelViewCreateMenuItem"),
        entry(P::PresentationsMenu, C::SavePdf, "QelViewPdfMenuItem"),
        separator(P::PresentationsMenu),
        entry(P::PresentationsMenu, C::SetHours, "QelViewHoursMenuItem"),
        entry(P::PresentationsMenu, C::SaveProgramme, "QelViewProgrammeMenuItem"),

        entry(P::HelpMenu, C::HelpContents, "QelHelpContentMenuItem"),
        entry(P::HelpMenu, C::HelpIndex, "QelHelpIndexMenuItem"),
        separator(P::HelpMenu),
        entry(P::HelpMenu, C::HelpInternet, "QelHelpInternetMenuItem"),
        entry(P::HelpMenu, C::HelpEmail, "QelHelpEmailMenuItem"),
        separator(P::HelpMenu),
        entry(P::HelpMenu, C::About, "QelHelpAboutMenuItem"),

        entry(P::TopicsDropDown, C::Find, "QelModulesFindPopupMenuItem"),
        entry(P::TopicsDropDown, C::FindNext, "QelModulesFindNextPopupMenuItem"),
        entry(P::TopicsDropDown, C::CopyTopic, "QelModulesMovePopupMenuItem"),
        separator(P::TopicsDropDown),
        entry(P::TopicsDropDown, C::ImportSlides, "QelModulesImportPopupMenuItem"),

        entry(P::TrainingsDropDown, C::NewTraining, "QelProjectsNewPopupMenuItem"),
        entry(P::TrainingsDropDown, C::NewTrainingFrom, "QelProjectsNewFromPopupMenuItem"),
        entry(P::TrainingsDropDown, C::RenameTraining, "QelProjectsCorectPopupMenuItem"),
        entry(P::TrainingsDropDown, C::DeleteTraining, "QelProjectsDeletePopupMenuItem"),

        entry(P::PresentationsDropDown, C::NewItem, "QelViewNewPopupMenuItem"),
        entry(P::PresentationsDropDown, C::RenameItem, "QelViewCorectPopupMenuItem"),
        entry(P::PresentationsDropDown, C::MoveItemTop, "QelViewTopPopupMenuItem"),
        entry(P::PresentationsDropDown, C::MoveItemUp, "QelViewUpPopupMenuItem"),
        entry(P::PresentationsDropDown, C::MoveItemDown, "QelViewDownPopupMenuItem"),
        entry(P::PresentationsDropDown, C::MoveItemBottom, "QelViewBottomPopupMenuItem"),
        entry(P::PresentationsDropDown, C::DeleteItem, "QelViewDeletePopupMenuItem"),
        entry(P::PresentationsDropDown, C::UndoItem, "QelViewUndoPopupMenuItem"),
        entry(P::PresentationsDropDown, C::RedoItem, "QelViewRedoPopupMenuItem"),
        separator(P::PresentationsDropDown),
        entry(P::PresentationsDropDown, C::Preview, "QelViewViewPopupMenuItem"),
        entry(P::PresentationsDropDown, C::Export, "QelViewCreatePopupMenuItem"),
        entry(P::PresentationsDropDown, C::SavePdf, "QelViewPdfPopupMenuItem"),
        separator(P::PresentationsDropDown),
        entry(P::PresentationsDropDown, C::SetHours, "QelViewHoursPopupMenuItem"),
        entry(P::PresentationsDropDown, C::SaveProgramme, "QelViewProgrammePopupMenuItem"),

        entry(P::TopicListMenu, C::Find, "QelModulesBodyFindPopupMenuItem"),
        entry(P::TopicListMenu, C::FindNext, "QelModulesBodyFindNextPopupMenuItem"),
        separator(P::TopicListMenu),
        entry(P::TopicListMenu, C::ImportSlides, "QelModulesBodyImportPopupMenuItem"),
        entry(P::TopicListMenu, C::RenameOwnTopic, "QelModulesBodyRenamePopupMenuItem"),
        entry(P::TopicListMenu, C::DeleteOwnTopic, "QelModulesBodyDeletePopupMenuItem"),
        separator(P::TopicListMenu),
        entry(P::TopicListMenu, C::QuestionBank, "QelModulesBodyQuestionsPopupMenuItem"),

        entry(P::TopicTreeMenu, C::CopyTopic, "QelModulesBodyMovePopupMenuItem"),

        entry(P::TrainingListMenu, C::NewTraining, "QelProjectsBodyNewPopupMenuItem"),
        entry(P::TrainingListMenu, C::NewTrainingFrom, "QelProjectsBodyNewFromPopupMenuItem"),
        entry(P::TrainingListMenu, C::RenameTraining, "QelProjectsBodyCorectPopupMenuItem"),
        entry(P::TrainingListMenu, C::DeleteTraining, "QelProjectsBodyDeletePopupMenuItem"),
        entry(P::TrainingListMenu, C::Courses, "QelProjectsBodyCoursesPopupMenuItem"),

        entry(P::OutlineMenu, C::NewItem, "QelViewBodyNewPopupMenuItem"),
        entry(P::OutlineMenu, C::RenameItem, "QelViewBodyCorectPopupMenuItem"),
        entry(P::OutlineMenu, C::MoveItemTop, "QelViewBodyTopPopupMenuItem"),
        entry(P::OutlineMenu, C::MoveItemUp, "QelViewBodyUpPopupMenuItem"),
        entry(P::OutlineMenu, C::MoveItemDown, "QelViewBodyDownPopupMenuItem"),
        entry(P::OutlineMenu, C::MoveItemBottom, "QelViewBodyBottomPopupMenuItem"),
        entry(P::OutlineMenu, C::DeleteItem, "QelViewBodyDeletePopupMenuItem"),
        entry(P::OutlineMenu, C::UndoItem, "QelViewBodyUndoPopupMenuItem"),
        entry(P::OutlineMenu, C::RedoItem, "QelViewBodyRedoPopupMenuItem"),
        separator(P::OutlineMenu),
        entry(P::OutlineMenu, C::Preview, "QelViewBodyViewPopupMenuItem"),
        // This entry's caption has always begun with a bar.
        entry(P::OutlineMenu, C::Export, "QelViewBodyCreatePopupMenuItem", u"|Utwórz prezentację"),
        entry(P::OutlineMenu, C::SavePdf, "QelViewBodyPdfPopupMenuItem"),
        separator(P::OutlineMenu),
        entry(P::OutlineMenu, C::SetHours, "QelViewBodyHoursPopupMenuItem"),
        entry(P::OutlineMenu, C::SaveProgramme, "QelViewBodyProgrammePopupMenuItem"),

        entry(P::ToolBar, C::Exit, "QelProgramExitToolButton"),
        separator(P::ToolBar),
        dropDownButton("QelModulesToolButton", P::TopicsDropDown),
        separator(P::ToolBar),
        dropDownButton("QelProjectsToolButton", P::TrainingsDropDown),
        separator(P::ToolBar),
        dropDownButton("QelViewToolButton", P::PresentationsDropDown),
        separator(P::ToolBar),
        entry(P::ToolBar, C::HelpContents, "QelHelpContentToolButton"),
        entry(P::ToolBar, C::HelpIndex, "QelHelpIndexToolButton"),
        separator(P::ToolBar),
        entry(P::ToolBar, C::HelpInternet, "QelHelpInternetToolButton"),
        entry(P::ToolBar, C::HelpEmail, "QelHelpEmailToolButton"),
        separator(P::ToolBar),
        entry(P::ToolBar, C::About, "QelHelpAboutToolButton"),
    };
    return placements;
}

EntryRole roleOf(MenuPlace place)
{
    if (place <= MenuPlace::HelpMenu)
        return EntryRole::MainMenu;
    if (place <= MenuPlace::PresentationsDropDown)
        return EntryRole::DropDown;
    if (place <= MenuPlace::OutlineMenu)
        return EntryRole::Context;
    return EntryRole::ToolBar;
}

QString entryCaption(const CommandPlacement &placement)
{
    if (!placement.caption.isEmpty())
        return placement.caption;
    const CommandInfo &info = commandInfo(placement.command);
    if (roleOf(placement.place) == EntryRole::MainMenu || info.popupCaption.isEmpty())
        return info.caption;
    return info.popupCaption;
}

QString historyCaption(const QString &caption, const QString &what)
{
    return what.isEmpty() ? caption : caption + QStringLiteral(": ") + what;
}

} // namespace marbelo
