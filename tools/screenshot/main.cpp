// marbelo-screenshot: renders the main window (or the "Kursy" window of a
// training, or the "Odnowienia" window) on a data directory into a PNG,
// headless, so that the pictures in docs/ can be made again at any time.
//   marbelo-screenshot DATADIR OUT.png [TOPIC_ROW [NODE_INDEX]]
//   marbelo-screenshot DATADIR OUT.png --courses TRAINING
//   marbelo-screenshot DATADIR OUT.png --renewals
// The renewals are those of DATADIR's course database; a folder without one
// (the demo data) is shown by a temporary folder filled through the course
// service with made-up employers and certificates falling due around today.

#include "common/ProgramName.h"
#include "courses/CourseService.h"
#include "courses/ui/CoursesWindow.h"
#include "courses/ui/RenewalsWindow.h"
#include "exam/ui/ExamCommands.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "presentation/SaveDialog.h"
#include "shell/ui/MainWindow.h"
#include "topics/ui/TopicLibraryPane.h"
#include "common/ui/PaneWidgets.h"
#include "store/components/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

namespace {

class SilentMessages : public marbelo::Messages
{
public:
    void inform(const QString &) override {}
    bool confirm(const QString &, marbelo::DefaultAnswer) override { return false; }
};

class NoSaveDialog : public marbelo::SaveDialog
{
public:
    QString execute() override { return QString(); }
};

// A course of the training that ended on end, its people passed and
// certified that day.
bool certifiedCourse(marbelo::CourseService &service, int training, const QDate &end, qint64 employer,
                     const std::vector<marbelo::Participant> &people, QString *error)
{
    marbelo::Course course = service.newCourse(training);
    course.from = end.addDays(-1);
    course.to = end;
    course.place = QStringLiteral("Sala szkoleniowa, ul. Słoneczna 5, Radom");
    course.trainers = QStringLiteral("Krystyna Sowińska");
    course.employer = employer;
    int issued = 0;
    const auto made = service.addCourse(course, error);
    return made && service.addParticipants(made->made, people, QStringLiteral("Dodaj uczestnika"), error)
           && service.issue(made->made, end, &issued, error);
}

marbelo::Participant person(const char16_t *first, const char16_t *surname, const QDate &born, const char16_t *position,
                            int intervalYears = 0)
{
    marbelo::Participant p;
    p.firstName = QString::fromUtf16(first);
    p.surname = QString::fromUtf16(surname);
    p.birthDate = born;
    p.birthPlace = QStringLiteral("Radom");
    p.position = QString::fromUtf16(position);
    p.intervalYears = intervalYears;
    p.passed = true;
    return p;
}

// Two trainings, two employers and certificates whose periodic training
// falls due within three months of today, or is overdue; issued in the
// order of their dates, as the register requires.
bool fillDemoRenewals(const QString &dir, marbelo::db::Database &database, QString *error)
{
    using marbelo::Employer;
    const auto manual = marbelo::appendTrainingRecord(
        dir, {QStringLiteral("Szkolenie okresowe – stanowiska robotnicze"), 2, 0}, error);
    const auto office = marbelo::appendTrainingRecord(
        dir, {QStringLiteral("Szkolenie okresowe – pracownicy biurowi"), 5, 0}, error);
    if (!manual || !office)
        return false;
    marbelo::CourseService service(database, dir);
    marbelo::Organiser organiser;
    organiser.name = QStringLiteral("Ośrodek Szkoleń BHP „Bezpieczny Start”");
    organiser.address = QStringLiteral("ul. Słoneczna 5, 26-600 Radom");
    organiser.place = QStringLiteral("Radom");
    organiser.phone = QStringLiteral("48 360 00 00");
    organiser.email = QStringLiteral("biuro@bezpieczny-start.example.pl");
    if (!service.saveOrganiser(organiser, error))
        return false;
    const auto dab = service.addEmployer({0, QStringLiteral("Zakład Stolarski Dąb sp. z o.o."),
                                          QStringLiteral("ul. Leśna 4, 26-600 Radom"), QStringLiteral("526-025-09-95"),
                                          QStringLiteral("Anna Wiśniewska"), QStringLiteral("kadry@dab.example.pl"),
                                          QStringLiteral("48 360 12 34")},
                                         error);
    const auto klos = service.addEmployer({0, QStringLiteral("Piekarnia Kłos s.c."),
                                           QStringLiteral("ul. Młyńska 2, 26-600 Radom"),
                                           QStringLiteral("123-456-78-83"), QStringLiteral("Jan Kłos"),
                                           QStringLiteral("biuro@klos.example.pl"), QString()},
                                          error);
    if (!dab || !klos)
        return false;
    const QDate today = QDate::currentDate();
    return certifiedCourse(service, *office, today.addYears(-6).addDays(16), 0,
                           {person(u"Maria", u"Szymańska", QDate(1971, 5, 12), u"księgowa"),
                            person(u"Tomasz", u"Kamiński", QDate(1983, 9, 3), u"specjalista ds. kadr")},
                           error)
           && certifiedCourse(service, *manual, today.addYears(-3).addMonths(-2), klos->made,
                              {person(u"Ewa", u"Lewandowska", QDate(1979, 2, 21), u"piekarz"),
                               person(u"Łukasz", u"Zając", QDate(1990, 11, 8), u"cukiernik")},
                              error)
           && certifiedCourse(service, *manual, today.addYears(-3).addMonths(1), dab->made,
                              {person(u"Jan", u"Kowalski", QDate(1975, 3, 14), u"stolarz"),
                               person(u"Piotr", u"Nowak", QDate(1988, 7, 30), u"operator pilarki"),
                               person(u"Marek", u"Wójcik", QDate(1969, 12, 1), u"stolarz")},
                              error)
           && certifiedCourse(service, *manual, today.addYears(-1).addMonths(2), dab->made,
                              {person(u"Adam", u"Zieliński", QDate(1985, 4, 17), u"operator wózka widłowego", 1)},
                              error);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(marbelo::kProgramName));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: marbelo-screenshot DATADIR OUT.png [TOPIC_ROW [NODE_INDEX] | --courses TRAINING "
                             "| --renewals]\n");
        return 2;
    }
    QString dir = QDir(args[1]).absolutePath() + QLatin1Char('/');
    SilentMessages messages;
    if (args.size() > 4 && args[3] == QLatin1String("--courses")) {
        marbelo::db::Database database(marbelo::db::Database::pathIn(dir));
        if (!database.open()) {
            std::fprintf(stderr, "cannot open the course database of %s\n", qPrintable(dir));
            return 1;
        }
        marbelo::CourseService service(database, dir);
        marbelo::CoursesWindow courses(service, messages, args[4].toInt());
        marbelo::exam::ExamCommands exam({dir});
        courses.setCommandHandler(&exam);
        courses.resize(1180, 620);
        courses.show();
        QApplication::processEvents();
        return courses.grab().save(args[2]) ? 0 : 1;
    }
    if (args.size() > 3 && args[3] == QLatin1String("--renewals")) {
        QTemporaryDir demo;
        const bool filled = !QFile::exists(marbelo::db::Database::pathIn(dir));
        if (filled)
            dir = demo.path() + QLatin1Char('/');
        marbelo::db::Database database(marbelo::db::Database::pathIn(dir));
        QString error;
        if (!demo.isValid() || !database.open(&error) || (filled && !fillDemoRenewals(dir, database, &error))) {
            std::fprintf(stderr, "cannot show the renewals of %s: %s\n", qPrintable(dir), qPrintable(error));
            return 1;
        }
        marbelo::CourseService service(database, dir);
        marbelo::RenewalsWindow renewals(service, messages);
        renewals.resize(1100, 520);
        renewals.show();
        QApplication::processEvents();
        return renewals.grab().save(args[2]) ? 0 : 1;
    }
    NoSaveDialog saveDialog;
    marbelo::MainWindow window(dir, messages, saveDialog);
    window.show();
    window.firstRunTimer()->stop();
    QApplication::processEvents();

    // Optionally pick a framework topic and a detailed topic, as a user would.
    if (args.size() > 3) {
        auto *list = window.topicLibrary().list();
        list->setCurrentRow(args[3].toInt());
        emit list->clicked(list->currentIndex());
    }
    if (args.size() > 4) {
        auto *tree = window.topicLibrary().tree();
        tree->expandAll();
        const QList<QTreeWidgetItem *> items = tree->flatItems();
        const int index = args[4].toInt();
        if (index >= 0 && index < items.size()) {
            tree->setCurrentItem(items[index]);
            emit tree->clicked(tree->currentIndex());
        }
    }
    QApplication::processEvents();
    if (!window.grab().save(args[2])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
