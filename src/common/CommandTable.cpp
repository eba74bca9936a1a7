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
        {C::ScormPackage, s(u"Pakiet e-learningowy (SCORM)..."), {}, -1, 2251,
         s(u"Zapisuje szkolenie jako pakiet SCORM 1.2 dla platformy e-learningowej: slajdy, program i test do "
           u"samosprawdzenia"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_L)}, S::Window, R::OutlineHasItems},
        {C::Courses, s(u"Kursy..."), s(u"Kursy szkolenia"), -1, 2237,
         s(u"Kursy|Kursy wybranego szkolenia: uczestnicy, lista obecności, wyniki i zaświadczenia"),
         {K(Qt::CTRL | Qt::Key_K)}, S::Window, R::TrainingSelected},
        {C::QuestionBank, s(u"Pytania do tematu..."), {}, -1, 2227,
         s(u"Otwiera bank pytań egzaminacyjnych wybranego tematu ramowego"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
         S::Window, R::TopicsListed},
        {C::Register, s(u"Rejestr zaświadczeń..."), {}, -1, 2238,
         s(u"Rejestr zaświadczeń|Otwiera rejestr zaświadczeń wszystkich szkoleń, także usuniętych"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_R)}, S::Window, R::Always},
        {C::Renewals, s(u"Odnowienia..."), {}, -1, 2239,
         s(u"Odnowienia|Osoby, którym mija lub minął termin szkolenia okresowego, według pracodawców"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_O)}, S::Window, R::Always},
        {C::ChooseDatabase, s(u"Baza danych..."), {}, -1, 4190,
         s(u"Baza danych|Gdzie są kursy, uczestnicy i rejestr: plik w folderze danych albo serwer PostgreSQL firmy"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_D)}, S::Window, R::Always},
        // The "Kursy" window's commands.
        {C::NewCourse, s(u"Nowy kurs"), {}, -1, 2237, s(u"Nowy kurs|Zakłada nowy kurs wybranego szkolenia"),
         {K(Qt::CTRL | Qt::Key_N)}, S::Courses, R::CoursesShown},
        {C::EditCourse, s(u"Popraw kurs"), {}, -1, 2237,
         s(u"Popraw kurs|Zmienia daty, miejsce, prowadzących, komisję i próg zaliczenia wybranego kursu"),
         {K(Qt::CTRL | Qt::Key_E)}, S::Courses, R::CourseSelected},
        {C::DeleteCourse, s(u"Usuń kurs"), {}, -1, 2237,
         s(u"Usuń kurs|Usuwa wybrany kurs razem z jego uczestnikami, jeśli nie wystawiono w nim zaświadczeń"),
         {K(Qt::CTRL | Qt::Key_Delete)}, S::Courses, R::CourseSelected},
        {C::AddParticipant, s(u"Dodaj uczestnika"), {}, -1, 2237, s(u"Dodaj uczestnika|Dopisuje uczestnika kursu"),
         {K(Qt::CTRL | Qt::Key_U)}, S::Courses, R::CourseSelected},
        {C::EditParticipant, s(u"Popraw uczestnika"), {}, -1, 2237,
         s(u"Popraw uczestnika|Zmienia dane wybranego uczestnika"), {K(Qt::Key_F2)}, S::Courses,
         R::ParticipantSelected},
        {C::RemoveParticipant, s(u"Usuń uczestnika"), {}, -1, 2237,
         s(u"Usuń uczestnika|Usuwa wybranego uczestnika, jeśli nie ma zaświadczenia"), {K(Qt::Key_Delete)},
         S::Courses, R::ParticipantSelected},
        {C::ImportParticipants, s(u"Importuj uczestników..."), {}, -1, 2237,
         s(u"Importuj uczestników|Dopisuje uczestników z pliku CSV działu kadr"), {K(Qt::CTRL | Qt::Key_I)},
         S::Courses, R::CourseSelected},
        {C::TogglePassed, s(u"Zaliczył / nie zaliczył"), {}, -1, 2237,
         s(u"Zaliczył / nie zaliczył|Zaznacza zaliczenie szkolenia uczestnikowi, który nie ma wyniku egzaminu"),
         {K(Qt::CTRL | Qt::Key_T)}, S::Courses, R::ParticipantSelected},
        {C::IssueCertificates, s(u"Wystaw zaświadczenia"), {}, -1, 2237,
         s(u"Wystaw zaświadczenia|Nadaje numery rejestru wszystkim, którzy zaliczyli kurs"),
         {K(Qt::CTRL | Qt::Key_W)}, S::Courses, R::CourseSelected},
        {C::CancelCertificate, s(u"Anuluj zaświadczenie"), {}, -1, 2237,
         s(u"Anuluj zaświadczenie|Anuluje zaświadczenie wybranego uczestnika; numer zostaje w rejestrze"), {},
         S::Courses, R::CertificateSelected},
        {C::EditOrganiser, s(u"Organizator..."), {}, -1, 2237,
         s(u"Organizator|Dane organizatora szkoleń i format numeru w rejestrze"), {}, S::Courses, R::CoursesShown},
        {C::AttendanceList, s(u"Lista obecności..."), {}, -1, 2237,
         s(u"Lista obecności|Zapisuje listę obecności kursu w pliku PDF"), {K(Qt::CTRL | Qt::Key_L)}, S::Courses,
         R::CourseSelected},
        {C::ParticipantCertificate, s(u"Zaświadczenie uczestnika..."), {}, -1, 2237,
         s(u"Zaświadczenie uczestnika|Zapisuje zaświadczenie wybranego uczestnika w pliku PDF"),
         {K(Qt::CTRL | Qt::Key_P)}, S::Courses, R::CertificateSelected},
        {C::CourseCertificates, s(u"Zaświadczenia kursu..."), {}, -1, 2237,
         s(u"Zaświadczenia kursu|Zapisuje wszystkie zaświadczenia kursu w jednym pliku PDF"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, S::Courses, R::CourseSelected},
        {C::CertificateRegister, s(u"Rejestr zaświadczeń..."), {}, -1, 2237,
         s(u"Rejestr zaświadczeń|Otwiera rejestr zaświadczeń wszystkich szkoleń"), {K(Qt::CTRL | Qt::Key_R)},
         S::Courses, R::CoursesShown},
        {C::Employers, s(u"Pracodawcy..."), {}, -1, 4180,
         s(u"Pracodawcy|Pracodawcy, których pracownicy biorą udział w kursach: nazwa, NIP, adres i kontakt"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_F)}, S::Courses, R::CoursesShown},
        {C::CourseRenewals, s(u"Odnowienia..."), {}, -1, 2239,
         s(u"Odnowienia|Osoby, którym mija lub minął termin szkolenia okresowego, według pracodawców"),
         {K(Qt::CTRL | Qt::Key_O)}, S::Courses, R::CoursesShown},
        {C::PrepareTest, s(u"Przygotuj test..."), {}, -1, 2237,
         s(u"Przygotuj test|Losuje test egzaminacyjny kursu z banku pytań"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
         S::Courses, R::CourseSelected},
        {C::TestSheets, s(u"Arkusze testu..."), {}, -1, 2237,
         s(u"Arkusze testu|Zapisuje arkusze i klucz odpowiedzi przygotowanego testu"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_A)}, S::Courses, R::TestPrepared},
        {C::ExamResults, s(u"Wyniki egzaminu..."), {}, -1, 2237,
         s(u"Wyniki egzaminu|Wpisuje wyniki egzaminu uczestników kursu"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
         S::Courses, R::TestPrepared},
        {C::ExamProtocol, s(u"Protokół egzaminu..."), {}, -1, 2237,
         s(u"Protokół egzaminu|Zapisuje protokół egzaminu kursu w pliku PDF"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
         S::Courses, R::TestPrepared},
        {C::UndoCourses, s(u"Cofnij"), {}, -1, 2237, s(u"Cofnij|Cofa ostatnią zmianę kursów i uczestników"),
         {standardKey(K::Undo, K(Qt::CTRL | Qt::Key_Z))}, S::Courses, R::CoursesCanUndo},
        {C::RedoCourses, s(u"Ponów"), {}, -1, 2237, s(u"Ponów|Ponawia ostatnio cofniętą zmianę kursów i uczestników"),
         {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, S::Courses, R::CoursesCanRedo},
        // The register window's commands.
        {C::SaveRegister, s(u"Zapisz rejestr..."), {}, -1, 2238,
         s(u"Zapisz rejestr|Zapisuje cały rejestr zaświadczeń jako PDF albo CSV"), {K(Qt::CTRL | Qt::Key_S)},
         S::Register, R::Always},
        {C::CancelRegisterEntry, s(u"Anuluj zaświadczenie"), {}, -1, 2238,
         s(u"Anuluj zaświadczenie|Anuluje zaświadczenie o wybranym numerze; numer zostaje w rejestrze"), {},
         S::Register, R::RegisterEntryInForce},
        // The employers window's commands.
        {C::NewEmployer, s(u"Nowy pracodawca..."), {}, -1, 4180, s(u"Nowy pracodawca|Dopisuje pracodawcę"),
         {K(Qt::CTRL | Qt::Key_N)}, S::Employers, R::Always},
        {C::EditEmployer, s(u"Popraw pracodawcę..."), {}, -1, 4180,
         s(u"Popraw pracodawcę|Zmienia nazwę, adres, NIP i kontakt wybranego pracodawcy"), {K(Qt::Key_F2)},
         S::Employers, R::EmployerSelected},
        {C::RemoveEmployer, s(u"Usuń pracodawcę"), {}, -1, 4180,
         s(u"Usuń pracodawcę|Usuwa wybranego pracodawcę, jeśli nie odnoszą się do niego uczestnicy ani kursy"),
         {K(Qt::Key_Delete)}, S::Employers, R::EmployerSelected},
        {C::UndoEmployers, s(u"Cofnij"), {}, -1, 4180, s(u"Cofnij|Cofa ostatnią zmianę pracodawców"),
         {standardKey(K::Undo, K(Qt::CTRL | Qt::Key_Z))}, S::Employers, R::EmployersCanUndo},
        {C::RedoEmployers, s(u"Ponów"), {}, -1, 4180, s(u"Ponów|Ponawia ostatnio cofniętą zmianę pracodawców"),
         {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, S::Employers, R::EmployersCanRedo},
        // The renewals window's commands.
        {C::RenewalLetters, s(u"Wykaz dla pracodawcy (PDF)..."), {}, -1, 2239,
         s(u"Wykaz dla pracodawcy|Zapisuje dla każdego pracodawcy pismo z wykazem osób, którym mija termin "
           u"szkolenia okresowego"),
         {K(Qt::CTRL | Qt::Key_P)}, S::Renewals, R::RenewalsListed},
        {C::RenewalsCsv, s(u"Eksport CSV..."), {}, -1, 2239,
         s(u"Eksport CSV|Zapisuje pokazane albo zaznaczone osoby z kontaktem do pracodawcy w pliku CSV"),
         {K(Qt::CTRL | Qt::Key_E)}, S::Renewals, R::RenewalsListed},
        {C::CourseFromRenewals, s(u"Nowy kurs z zaznaczonych"), {}, -1, 2239,
         s(u"Nowy kurs z zaznaczonych|Zakłada kurs szkolenia okresowego z zaznaczonymi osobami jako uczestnikami"),
         {K(Qt::CTRL | Qt::Key_N)}, S::Renewals, R::RenewalsSelected},
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
        {MenuPlace::CourseMenu, "QelCourseMenu", s(u"Kurs"), s(u"Kursy szkolenia i lista obecności"), 2237},
        {MenuPlace::ParticipantsMenu, "QelParticipantsMenu", s(u"Uczestnicy"),
         s(u"Uczestnicy wybranego kursu i ich zaliczenie"), 2237},
        {MenuPlace::ExamMenu, "QelExamMenu", s(u"Egzamin"), s(u"Test, wyniki i protokół egzaminu"), 2237},
        {MenuPlace::CertificatesMenu, "QelCertificatesMenu", s(u"Zaświadczenia"),
         s(u"Zaświadczenia i rejestr zaświadczeń"), 2237},
        {MenuPlace::CourseListMenu, "QelCourseListPopupMenu", {}, {}},
        {MenuPlace::ParticipantListMenu, "QelParticipantListPopupMenu", {}, {}},
        {MenuPlace::RegisterMenu, "QelRegisterMenu", s(u"Rejestr"), s(u"Rejestr zaświadczeń wszystkich szkoleń"), 2238},
        {MenuPlace::RegisterListMenu, "QelRegisterListPopupMenu", {}, {}},
        {MenuPlace::EmployersMenu, "QelEmployersMenu", s(u"Pracodawcy"),
         s(u"Pracodawcy, których pracownicy biorą udział w kursach"), 4180},
        {MenuPlace::EmployerListMenu, "QelEmployerListPopupMenu", {}, {}},
        {MenuPlace::RenewalsMenu, "QelRenewalsMenu", s(u"Odnowienia"),
         s(u"Wykazy dla pracodawców i nowy kurs dla osób, którym mija termin szkolenia okresowego"), 2239},
        {MenuPlace::RenewalsListMenu, "QelRenewalsListPopupMenu", {}, {}},
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
        entry(P::TrainingsMenu, C::Register, "QelProjectsRegisterMenuItem"),
        entry(P::TrainingsMenu, C::Renewals, "QelProjectsRenewalsMenuItem"),
        entry(P::TrainingsMenu, C::ChooseDatabase, "QelProjectsDatabaseMenuItem"),

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
        entry(P::PresentationsMenu, C::ScormPackage, "QelViewScormMenuItem"),
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
        entry(P::PresentationsDropDown, C::ScormPackage, "QelViewScormPopupMenuItem"),
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
        entry(P::OutlineMenu, C::ScormPackage, "QelViewBodyScormPopupMenuItem"),
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

        // The "Kursy" window; its main-menu entries keep the names its commands always had.
        entry(P::CourseMenu, C::NewCourse, "QelNewCourse"),
        entry(P::CourseMenu, C::EditCourse, "QelEditCourse"),
        entry(P::CourseMenu, C::DeleteCourse, "QelDeleteCourse"),
        separator(P::CourseMenu),
        entry(P::CourseMenu, C::AttendanceList, "QelAttendanceList"),
        separator(P::CourseMenu),
        entry(P::CourseMenu, C::EditOrganiser, "QelOrganiser"),
        entry(P::CourseMenu, C::Employers, "QelEmployers"),
        separator(P::CourseMenu),
        entry(P::CourseMenu, C::UndoCourses, "QelUndoCourses"),
        entry(P::CourseMenu, C::RedoCourses, "QelRedoCourses"),

        entry(P::ParticipantsMenu, C::AddParticipant, "QelAddParticipant"),
        entry(P::ParticipantsMenu, C::EditParticipant, "QelEditParticipant"),
        entry(P::ParticipantsMenu, C::RemoveParticipant, "QelRemoveParticipant"),
        entry(P::ParticipantsMenu, C::ImportParticipants, "QelImportParticipants"),
        separator(P::ParticipantsMenu),
        entry(P::ParticipantsMenu, C::TogglePassed, "QelTogglePassed"),

        entry(P::ExamMenu, C::PrepareTest, "QelPrepareTest"),
        entry(P::ExamMenu, C::TestSheets, "QelTestSheets"),
        entry(P::ExamMenu, C::ExamResults, "QelExamResults"),
        entry(P::ExamMenu, C::ExamProtocol, "QelExamProtocol"),

        entry(P::CertificatesMenu, C::IssueCertificates, "QelIssueCertificates"),
        entry(P::CertificatesMenu, C::CancelCertificate, "QelCancelCertificate"),
        separator(P::CertificatesMenu),
        entry(P::CertificatesMenu, C::ParticipantCertificate, "QelParticipantCertificate"),
        entry(P::CertificatesMenu, C::CourseCertificates, "QelCourseCertificates"),
        separator(P::CertificatesMenu),
        entry(P::CertificatesMenu, C::CertificateRegister, "QelCertificateRegister"),
        entry(P::CertificatesMenu, C::CourseRenewals, "QelCourseRenewals"),

        // The trainer's road, in its order.
        entry(P::CoursesToolBar, C::NewCourse, "QelNewCourseToolButton"),
        entry(P::CoursesToolBar, C::AddParticipant, "QelAddParticipantToolButton"),
        entry(P::CoursesToolBar, C::ImportParticipants, "QelImportParticipantsToolButton"),
        entry(P::CoursesToolBar, C::AttendanceList, "QelAttendanceListToolButton"),
        separator(P::CoursesToolBar),
        entry(P::CoursesToolBar, C::PrepareTest, "QelPrepareTestToolButton"),
        entry(P::CoursesToolBar, C::ExamResults, "QelExamResultsToolButton"),
        separator(P::CoursesToolBar),
        entry(P::CoursesToolBar, C::IssueCertificates, "QelIssueCertificatesToolButton"),
        entry(P::CoursesToolBar, C::CourseCertificates, "QelCourseCertificatesToolButton"),

        entry(P::CourseListMenu, C::NewCourse, "QelCourseListNewPopupMenuItem"),
        entry(P::CourseListMenu, C::EditCourse, "QelCourseListEditPopupMenuItem"),
        entry(P::CourseListMenu, C::DeleteCourse, "QelCourseListDeletePopupMenuItem"),
        separator(P::CourseListMenu),
        entry(P::CourseListMenu, C::AttendanceList, "QelCourseListAttendancePopupMenuItem"),
        entry(P::CourseListMenu, C::CourseCertificates, "QelCourseListCertificatesPopupMenuItem"),

        entry(P::ParticipantListMenu, C::AddParticipant, "QelParticipantListAddPopupMenuItem"),
        entry(P::ParticipantListMenu, C::EditParticipant, "QelParticipantListEditPopupMenuItem"),
        entry(P::ParticipantListMenu, C::RemoveParticipant, "QelParticipantListRemovePopupMenuItem"),
        separator(P::ParticipantListMenu),
        entry(P::ParticipantListMenu, C::TogglePassed, "QelParticipantListPassedPopupMenuItem"),
        separator(P::ParticipantListMenu),
        entry(P::ParticipantListMenu, C::ParticipantCertificate, "QelParticipantListCertificatePopupMenuItem"),
        entry(P::ParticipantListMenu, C::CancelCertificate, "QelParticipantListCancelPopupMenuItem"),

        entry(P::RegisterMenu, C::SaveRegister, "QelSaveRegister"),
        entry(P::RegisterMenu, C::CancelRegisterEntry, "QelCancelRegisterEntry"),
        entry(P::RegisterToolBar, C::SaveRegister, "QelSaveRegisterToolButton"),
        entry(P::RegisterToolBar, C::CancelRegisterEntry, "QelCancelRegisterEntryToolButton"),
        entry(P::RegisterListMenu, C::CancelRegisterEntry, "QelRegisterListCancelPopupMenuItem"),

        entry(P::EmployersMenu, C::NewEmployer, "QelNewEmployer"),
        entry(P::EmployersMenu, C::EditEmployer, "QelEditEmployer"),
        entry(P::EmployersMenu, C::RemoveEmployer, "QelRemoveEmployer"),
        separator(P::EmployersMenu),
        entry(P::EmployersMenu, C::UndoEmployers, "QelUndoEmployers"),
        entry(P::EmployersMenu, C::RedoEmployers, "QelRedoEmployers"),
        entry(P::EmployersToolBar, C::NewEmployer, "QelNewEmployerToolButton"),
        entry(P::EmployersToolBar, C::EditEmployer, "QelEditEmployerToolButton"),
        entry(P::EmployersToolBar, C::RemoveEmployer, "QelRemoveEmployerToolButton"),
        entry(P::EmployerListMenu, C::NewEmployer, "QelEmployerListNewPopupMenuItem"),
        entry(P::EmployerListMenu, C::EditEmployer, "QelEmployerListEditPopupMenuItem"),
        entry(P::EmployerListMenu, C::RemoveEmployer, "QelEmployerListRemovePopupMenuItem"),

        entry(P::RenewalsMenu, C::RenewalLetters, "QelRenewalLetters"),
        entry(P::RenewalsMenu, C::RenewalsCsv, "QelRenewalsCsv"),
        separator(P::RenewalsMenu),
        entry(P::RenewalsMenu, C::CourseFromRenewals, "QelCourseFromRenewals"),
        entry(P::RenewalsToolBar, C::RenewalLetters, "QelRenewalLettersToolButton"),
        entry(P::RenewalsToolBar, C::RenewalsCsv, "QelRenewalsCsvToolButton"),
        separator(P::RenewalsToolBar),
        entry(P::RenewalsToolBar, C::CourseFromRenewals, "QelCourseFromRenewalsToolButton"),
        entry(P::RenewalsListMenu, C::RenewalLetters, "QelRenewalsListLettersPopupMenuItem"),
        entry(P::RenewalsListMenu, C::RenewalsCsv, "QelRenewalsListCsvPopupMenuItem"),
        separator(P::RenewalsListMenu),
        entry(P::RenewalsListMenu, C::CourseFromRenewals, "QelRenewalsListCoursePopupMenuItem"),
    };
    return placements;
}

EntryRole roleOf(MenuPlace place)
{
    switch (place) {
    case MenuPlace::ProgramMenu:
    case MenuPlace::TopicsMenu:
    case MenuPlace::TrainingsMenu:
    case MenuPlace::PresentationsMenu:
    case MenuPlace::HelpMenu:
    case MenuPlace::CourseMenu:
    case MenuPlace::ParticipantsMenu:
    case MenuPlace::ExamMenu:
    case MenuPlace::CertificatesMenu:
    case MenuPlace::RegisterMenu:
    case MenuPlace::EmployersMenu:
    case MenuPlace::RenewalsMenu:
        return EntryRole::MainMenu;
    case MenuPlace::TopicsDropDown:
    case MenuPlace::TrainingsDropDown:
    case MenuPlace::PresentationsDropDown:
        return EntryRole::DropDown;
    case MenuPlace::TopicListMenu:
    case MenuPlace::TopicTreeMenu:
    case MenuPlace::TrainingListMenu:
    case MenuPlace::OutlineMenu:
    case MenuPlace::CourseListMenu:
    case MenuPlace::ParticipantListMenu:
    case MenuPlace::RegisterListMenu:
    case MenuPlace::EmployerListMenu:
    case MenuPlace::RenewalsListMenu:
        return EntryRole::Context;
    case MenuPlace::ToolBar:
    case MenuPlace::CoursesToolBar:
    case MenuPlace::RegisterToolBar:
    case MenuPlace::EmployersToolBar:
    case MenuPlace::RenewalsToolBar:
        return EntryRole::ToolBar;
    }
    return EntryRole::ToolBar;
}

CommandWindow windowOf(MenuPlace place)
{
    // Each window's places follow the main window's in the enum, a window's together.
    if (place >= MenuPlace::RenewalsMenu)
        return CommandWindow::Renewals;
    if (place >= MenuPlace::EmployersMenu)
        return CommandWindow::Employers;
    if (place >= MenuPlace::RegisterMenu)
        return CommandWindow::Register;
    return place >= MenuPlace::CourseMenu ? CommandWindow::Courses : CommandWindow::Main;
}

CommandWindow windowOf(const CommandInfo &info)
{
    switch (info.scope) {
    case ShortcutScope::Courses: return CommandWindow::Courses;
    case ShortcutScope::Register: return CommandWindow::Register;
    case ShortcutScope::Employers: return CommandWindow::Employers;
    case ShortcutScope::Renewals: return CommandWindow::Renewals;
    default: return CommandWindow::Main;
    }
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
