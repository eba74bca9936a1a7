#include "common/CommandTable.h"

namespace marbelo {

namespace {

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// The platform's key for a standard action, or ours where it has none.
QKeySequence standardKey(QKeySequence::StandardKey key, QKeySequence fallback)
{
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    return bindings.isEmpty() ? fallback : bindings.first();
}

} // namespace

const std::vector<MenuInfo> &mainMenuTable()
{
    static const std::vector<MenuInfo> menus = {
        {"QelProgramMenu", s(u"Program"), 2210, s(u"Funkcje pomocnicze"),
         {{Command::Exit, "QelProgramExitMenuItem", s(u"Zakończ"), 0, 2219, s(u"Kończy działanie programu")}}},
        {"QelModulesMenu", s(u"Tematy"), 2220, s(u"Funkcje do przeszukiwania i kopiowania tematów do prezentacji"),
         {{Command::Find, "QelModulesFindMenuItem", s(u"Szukaj"), 1, 2221, s(u"Przeszukuje tematy ramowe i szczegółowe")},
          {Command::FindNext, "QelModulesFindNextMenuItem", s(u"Szukaj dalej"), 2, 2222,
           s(u"Kontynuuje dalsze przeszukiwanie tematów")},
          {},
          {Command::CopyTopic, "QelModulesMoveMenuItem", s(u"Kopiuj"), 3, 2223,
           s(u"Kopiuje temat szczegółowy do prezentacji")},
          {},
          {Command::ImportSlides, "QelModulesImportMenuItem", s(u"Importuj slajdy..."), -1, 2224,
           s(u"Importuje slajdy z dokumentów PDF i obrazów jako nowy temat ramowy")}}},
        {"QelProjectsMenu", s(u"Szkolenia"), 2230, s(u"Funkcje do tworzenia, poprawiania i usuwania szkoleń"),
         {{Command::NewTraining, "QelProjectsNewMenuItem", s(u"Nowe"), 4, 2231, s(u"Tworzy nowe szkolenie")},
          {Command::NewTrainingFrom, "QelProjectsNewFromMenuItem", s(u"Nowe od ..."), 5, 2232,
           s(u"Tworzy nowe szkolenie na podstawie już istniejącego")},
          {Command::RenameTraining, "QelProjectsCorectMenuItem", s(u"Popraw"), 6, 2233,
           s(u"Umożliwia poprawienie nazwy aktualnie wybranego szkolenia")},
          {Command::DeleteTraining, "QelProjectsDeleteMenuItem", s(u"Usuń"), 7, 2234,
           s(u"Usuwa aktualnie wybrane szkolenie")},
          {},
          {Command::UndoTraining, "QelProjectsUndoMenuItem", s(u"Cofnij"), -1, 2235,
           s(u"Cofa ostatnią zmianę na liście szkoleń")},
          {Command::RedoTraining, "QelProjectsRedoMenuItem", s(u"Ponów"), -1, 2236,
           s(u"Ponawia ostatnio cofniętą zmianę na liście szkoleń")}}},
        {"QelViewMenu", s(u"Prezentacje"), 2240, s(u"Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji"),
         {{Command::NewItem, "QelViewNewMenuItem", s(u"Nowa pozycja"), 8, 2241,
           s(u"Tworzy nową pozycję w aktualnie tworzonej prezentacji do szkolenia")},
          {Command::RenameItem, "QelViewCorectMenuItem", s(u"Popraw pozycję"), 9, 2242,
           s(u"Umożliwia poprawienie aktualnie wybranej pozycji w prezentacji")},
          {Command::MoveItemTop, "QelViewTopMenuItem", s(u"Przenieś wzwyż"), 10, 2243,
           s(u"Przenosi wzwyż w chierarchi aktualnie wybrana pozycję w prezentacji")},
          {Command::MoveItemUp, "QelViewUpMenuItem", s(u"Przenieś w górę"), 11, 2244,
           s(u"Przenosi w górę aktualnie wybrana pozycję w prezentacji")},
          {Command::MoveItemDown, "QelViewDownMenuItem", s(u"Przenieś w dół"), 12, 2245,
           s(u"Przenosi w dół aktualnie wybrana pozycję w prezentacji")},
          {Command::MoveItemBottom, "QelViewBottomMenuItem", s(u"Przenieś wgłąb"), 13, 2246,
           s(u"Przenosi wgłąb w chierarchi aktualnie wybrana pozycję w prezentacji")},
          {Command::DeleteItem, "QelViewDeleteMenuItem", s(u"Usuń pozycję"), 14, 2247,
           s(u"Usuwa aktualnie wybraną pozycję prezentacji")},
          {Command::UndoItem, "QelViewUndoMenuItem", s(u"Cofnij"), -1, 2255,
           s(u"Cofa ostatnią zmianę prezentacji wybranego szkolenia")},
          {Command::RedoItem, "QelViewRedoMenuItem", s(u"Ponów"), -1, 2256,
           s(u"Ponawia ostatnio cofniętą zmianę prezentacji wybranego szkolenia")},
          {},
          {Command::Preview, "QelViewViewMenuItem", s(u"Podgląd prezentacji"), 15, 2248,
           s(u"Wyświetla podgląd aktualnie tworzonej prezentacji")},
          {Command::Export, "QelViewCreateMenuItem", s(u"Utwórz prezentację"), 16, 2249,
           s(u"Generuje i zapisuje gotową prezentację w wybranej lokalizacji")},
          {Command::SavePdf, "QelViewPdfMenuItem", s(u"Zapisz jako PDF"), 16, 2250,
           s(u"Zapisuje slajdy prezentacji lub materiały dla uczestników w pliku PDF")}}},
        {"QelHelpMenu", s(u"Pomoc"), 2260, s(u"Funkcje informacyjne i kontaktowe"),
         {{Command::HelpContents, "QelHelpContentMenuItem", s(u"Spis treści"), 17, 2261,
           s(u"Uruchamia system pomocy programu i przechodzi do spisu treści pomocy")},
          {Command::HelpIndex, "QelHelpIndexMenuItem", s(u"Indeks"), 18, 2262,
           s(u"Uruchamia system pomocy programu i przechodzi do indeksu pomocy")},
          {},
          {Command::HelpInternet, "QelHelpInternetMenuItem", s(u"Tavo w internecie"), 19, 2263,
           s(u"Uruchamia przeglądarkę internetową i przechodzi na stronę producenta programu")},
          {Command::HelpEmail, "QelHelpEmailMenuItem", s(u"Poczta do tavo"), 20, 2264,
           s(u"Uruchamia program pocztowy wraz z rozpoczętą wiadomościa do producenta programu")},
          {},
          {Command::About, "QelHelpAboutMenuItem", s(u"O programie ..."), 21, 2265,
           s(u"Wyświetla informacje o programie, jego wersji, prawach autorskich")}}},
    };
    return menus;
}

const std::vector<PopupInfo> &popupTable()
{
    const EntryInfo find{Command::Find, "", s(u"Szukaj w tematach"), 1, 2221, {}};
    const EntryInfo findNext{Command::FindNext, "", s(u"Szukaj dalej w tematach"), 2, 2222, {}};
    const EntryInfo copy{Command::CopyTopic, "", s(u"Kopiuj temat"), 3, 2223, {}};
    const EntryInfo import{Command::ImportSlides, "", s(u"Importuj slajdy..."), -1, 2224, {}};
    const EntryInfo trainings[] = {
        {Command::NewTraining, "", s(u"Nowe szkolenie"), 4, 2231, {}},
        {Command::NewTrainingFrom, "", s(u"Nowe szkolenie od ..."), 5, 2232, {}},
        {Command::RenameTraining, "", s(u"Popraw szkolenie"), 6, 2233, {}},
        {Command::DeleteTraining, "", s(u"Usuń szkolenie"), 7, 2234, {}},
    };
    const EntryInfo outline[] = {
        {Command::NewItem, "", s(u"Nowa pozycja w prezentacji"), 8, 2241, {}},
        {Command::RenameItem, "", s(u"Popraw pozycję w prezentacji"), 9, 2242, {}},
        {Command::MoveItemTop, "", s(u"Przenieś wzwyż"), 10, 2243, {}},
        {Command::MoveItemUp, "", s(u"Przenieś w górę"), 11, 2244, {}},
        {Command::MoveItemDown, "", s(u"Przenieś w dół"), 12, 2245, {}},
        {Command::MoveItemBottom, "", s(u"Przenieś wgłąb"), 13, 2246, {}},
        {Command::DeleteItem, "", s(u"Usuń pozycję z prezentacji"), 14, 2247, {}},
        {Command::UndoItem, "", s(u"Cofnij"), -1, 2255, {}},
        {Command::RedoItem, "", s(u"Ponów"), -1, 2256, {}},
        {Command::Preview, "", s(u"Podgląd prezentacji"), 15, 2248, {}},
        {Command::Export, "", s(u"Utwórz prezentację"), 16, 2249, {}},
        {Command::SavePdf, "", s(u"Zapisz jako PDF"), 16, 2250, {}},
    };
    // The same entries under the names of each menu.
    const auto named = [](EntryInfo entry, const char *name) {
        entry.objectName = name;
        return entry;
    };
    static const std::vector<PopupInfo> popups = {
        {MenuPlace::TopicsButton, "QelModulesToolBarPopupMenu",
         {named(find, "QelModulesFindPopupMenuItem"), named(findNext, "QelModulesFindNextPopupMenuItem"),
          named(copy, "QelModulesMovePopupMenuItem"), {}, named(import, "QelModulesImportPopupMenuItem")}},
        {MenuPlace::TrainingsButton, "QelProjectsToolBarPopupMenu",
         {named(trainings[0], "QelProjectsNewPopupMenuItem"), named(trainings[1], "QelProjectsNewFromPopupMenuItem"),
          named(trainings[2], "QelProjectsCorectPopupMenuItem"),
          named(trainings[3], "QelProjectsDeletePopupMenuItem")}},
        {MenuPlace::PresentationsButton, "QelViewToolBarPopupMenu",
         {named(outline[0], "QelViewNewPopupMenuItem"), named(outline[1], "QelViewCorectPopupMenuItem"),
          named(outline[2], "QelViewTopPopupMenuItem"), named(outline[3], "QelViewUpPopupMenuItem"),
          named(outline[4], "QelViewDownPopupMenuItem"), named(outline[5], "QelViewBottomPopupMenuItem"),
          named(outline[6], "QelViewDeletePopupMenuItem"), named(outline[7], "QelViewUndoPopupMenuItem"),
          named(outline[8], "QelViewRedoPopupMenuItem"), {}, named(outline[9], "QelViewViewPopupMenuItem"),
          named(outline[10], "QelViewCreatePopupMenuItem"), named(outline[11], "QelViewPdfPopupMenuItem")}},
        {MenuPlace::TopicList, "QelModulesListBodyPopupMenu",
         {named(find, "QelModulesBodyFindPopupMenuItem"), named(findNext, "QelModulesBodyFindNextPopupMenuItem"), {},
          named(import, "QelModulesBodyImportPopupMenuItem"),
          {Command::RenameOwnTopic, "QelModulesBodyRenamePopupMenuItem", s(u"Zmień nazwę tematu"), -1, 2225, {}},
          {Command::DeleteOwnTopic, "QelModulesBodyDeletePopupMenuItem", s(u"Usuń temat"), -1, 2226, {}}}},
        {MenuPlace::TopicTree, "QelModulesBodyToolBarPopupMenu", {named(copy, "QelModulesBodyMovePopupMenuItem")}},
        {MenuPlace::TrainingList, "QelProjectsBodyToolBarPopupMenu",
         {named(trainings[0], "QelProjectsBodyNewPopupMenuItem"),
          named(trainings[1], "QelProjectsBodyNewFromPopupMenuItem"),
          named(trainings[2], "QelProjectsBodyCorectPopupMenuItem"),
          named(trainings[3], "QelProjectsBodyDeletePopupMenuItem")}},
        {MenuPlace::Outline, "QelViewBodyToolBarPopupMenu",
         {named(outline[0], "QelViewBodyNewPopupMenuItem"), named(outline[1], "QelViewBodyCorectPopupMenuItem"),
          named(outline[2], "QelViewBodyTopPopupMenuItem"), named(outline[3], "QelViewBodyUpPopupMenuItem"),
          named(outline[4], "QelViewBodyDownPopupMenuItem"), named(outline[5], "QelViewBodyBottomPopupMenuItem"),
          named(outline[6], "QelViewBodyDeletePopupMenuItem"), named(outline[7], "QelViewBodyUndoPopupMenuItem"),
          named(outline[8], "QelViewBodyRedoPopupMenuItem"), {}, named(outline[9], "QelViewBodyViewPopupMenuItem"),
          // The outline's context entry carries its caption as a hint.
          [&] {
              EntryInfo e = named(outline[10], "QelViewBodyCreatePopupMenuItem");
              e.caption = s(u"|Utwórz prezentację");
              return e;
          }(),
          named(outline[11], "QelViewBodyPdfPopupMenuItem")}},
    };
    return popups;
}

const std::vector<ShortcutInfo> &shortcutTable()
{
    using K = QKeySequence;
    static const std::vector<ShortcutInfo> shortcuts = {
        {Command::Exit, {standardKey(K::Quit, K(Qt::CTRL | Qt::Key_Q))}, ShortcutScope::Window},
        {Command::Find, {standardKey(K::Find, K(Qt::CTRL | Qt::Key_F))}, ShortcutScope::Window},
        {Command::FindNext, {K(Qt::Key_F3)}, ShortcutScope::Window},
        {Command::CopyTopic, {K(Qt::Key_Return), K(Qt::Key_Enter)}, ShortcutScope::TopicTree},
        {Command::ImportSlides, {K(Qt::CTRL | Qt::Key_I)}, ShortcutScope::Window},
        {Command::RenameOwnTopic, {K(Qt::CTRL | Qt::Key_F2)}, ShortcutScope::Window},
        {Command::DeleteOwnTopic, {K(Qt::CTRL | Qt::Key_Delete)}, ShortcutScope::Window},
        {Command::NewTraining, {K(Qt::CTRL | Qt::Key_N)}, ShortcutScope::Window},
        {Command::NewTrainingFrom, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}, ShortcutScope::Window},
        {Command::RenameTraining, {K(Qt::SHIFT | Qt::Key_F2)}, ShortcutScope::Window},
        {Command::DeleteTraining, {K(Qt::SHIFT | Qt::Key_Delete)}, ShortcutScope::Window},
        {Command::UndoTraining, {K(Qt::CTRL | Qt::ALT | Qt::Key_Z)}, ShortcutScope::Window},
        {Command::RedoTraining, {K(Qt::CTRL | Qt::ALT | Qt::Key_Y)}, ShortcutScope::Window},
        {Command::NewItem, {K(Qt::Key_Insert)}, ShortcutScope::Outline},
        {Command::RenameItem, {K(Qt::Key_F2)}, ShortcutScope::Outline},
        {Command::MoveItemTop, {K(Qt::ALT | Qt::Key_Left)}, ShortcutScope::Outline},
        {Command::MoveItemUp, {K(Qt::ALT | Qt::Key_Up)}, ShortcutScope::Outline},
        {Command::MoveItemDown, {K(Qt::ALT | Qt::Key_Down)}, ShortcutScope::Outline},
        {Command::MoveItemBottom, {K(Qt::ALT | Qt::Key_Right)}, ShortcutScope::Outline},
        {Command::DeleteItem, {K(Qt::Key_Delete)}, ShortcutScope::Outline},
        {Command::UndoItem, {standardKey(K::Undo, K(Qt::CTRL | Qt::Key_Z))}, ShortcutScope::Window},
        {Command::RedoItem, {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, ShortcutScope::Window},
        {Command::Preview, {K(Qt::Key_F5)}, ShortcutScope::Window},
        {Command::Export, {K(Qt::CTRL | Qt::Key_E)}, ShortcutScope::Window},
        {Command::SavePdf, {standardKey(K::Print, K(Qt::CTRL | Qt::Key_P))}, ShortcutScope::Window},
        {Command::HelpContents, {K(Qt::CTRL | Qt::Key_F1)}, ShortcutScope::Window},
        {Command::HelpIndex, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_F1)}, ShortcutScope::Window},
        {Command::HelpInternet, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_W)}, ShortcutScope::Window},
        {Command::HelpEmail, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_M)}, ShortcutScope::Window},
        {Command::About, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_I)}, ShortcutScope::Window},
    };
    return shortcuts;
}

QString historyCaption(const QString &caption, const QString &what)
{
    return what.isEmpty() ? caption : caption + QStringLiteral(": ") + what;
}

const std::vector<ToolButtonInfo> &toolButtonTable()
{
    static const std::vector<ToolButtonInfo> buttons = {
        {"QelProgramExitToolButton", 0, s(u"Zakończ|Kończy działanie programu"), Command::Exit, 2219, false},
        {"QelModulesToolButton", 1, s(u"Tematy|Funkcje do przeszukiwania i kopiowania tematów do prezentacji"),
         Command::Count, 2220, true},
        {"QelProjectsToolButton", 2, s(u"Szkolenia|Funkcje do tworzenia, poprawiania i usuwania szkoleń"),
         Command::Count, 2230, true},
        {"QelViewToolButton", 3,
         s(u"Prezentacje|Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji"), Command::Count, 2240,
         true},
        {"QelHelpContentToolButton", 4,
         s(u"Spis treści pomocy|Uruchamia system pomocy programu i przechodzi do spisu treści pomocy"),
         Command::HelpContents, 2261, true},
        {"QelHelpIndexToolButton", 5,
         s(u"Indeks pomocy|Uruchamia system pomocy programu i przechodzi do indeksu pomocy"), Command::HelpIndex,
         2262, false},
        {"QelHelpInternetToolButton", 6,
         s(u"Tavo w internecie|Uruchamia przeglądarkę internetową i przechodzi na stronę producenta programu"),
         Command::HelpInternet, 2263, true},
        {"QelHelpEmailToolButton", 7,
         s(u"Poczta do tavo|Uruchamia program pocztowy wraz z rozpoczętą wiadomościa do producenta programu"),
         Command::HelpEmail, 2264, false},
        {"QelHelpAboutToolButton", 8,
         s(u"Informacje o programie|Wyświetla informacje o programie, jego wersji, prawach autorskich"),
         Command::About, 2265, true},
    };
    return buttons;
}

} // namespace marbelo
