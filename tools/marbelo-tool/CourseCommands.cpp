// courses, course add, organiser, participants, register, certificates,
// attendance, employers, renewals: the course database, through the same
// code as the window.

#include "Tool.h"

#include "courses/CourseService.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/ParticipantCsv.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>
#include <set>

using namespace marbelo;

namespace tool {

bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flagOptions, Parsed *parsed)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size() || parsed->values.count(arg))
                return false;
            parsed->values[arg] = args[++i];
        } else if (flagOptions.contains(arg)) {
            parsed->flags.insert(arg);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            parsed->positional << arg;
        }
    }
    return true;
}

QString dataDirOf(const QString &arg)
{
    QString dir = QDir::fromNativeSeparators(arg);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// DATADIR's database, opened; null after printing why (with *result set).
std::unique_ptr<db::Database> openDatabase(const QString &arg, int *result)
{
    const QString dir = dataDirOf(arg);
    if (!QFileInfo(dir).isDir()) {
        *result = fail(arg + QStringLiteral(": nie ma takiego folderu"));
        return nullptr;
    }
    auto database = std::make_unique<db::Database>(db::Database::pathIn(dir));
    QString error;
    if (!database->open(&error)) {
        *result = fail(error);
        return nullptr;
    }
    for (const QString &notice : database->notices())
        err() << notice << '\n';
    return database;
}

Paperwork::~Paperwork() = default;

std::unique_ptr<Paperwork> openPaperwork(const QString &arg, int *result)
{
    auto paperwork = std::make_unique<Paperwork>();
    paperwork->database = openDatabase(arg, result);
    if (!paperwork->database)
        return nullptr;
    paperwork->courses = std::make_unique<CourseService>(*paperwork->database, dataDirOf(arg));
    // Certificates of an older version get their texts stored before anything is changed.
    QString error;
    if (!paperwork->courses->storeMissingTexts(&error)) {
        *result = fail(error);
        return nullptr;
    }
    return paperwork;
}

bool courseNumber(const QString &arg, qint64 *course)
{
    bool ok = false;
    *course = arg.toLongLong(&ok);
    return ok && *course > 0;
}

QString field(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

int printParticipants(CourseService &courses, qint64 course)
{
    std::vector<Participant> people;
    QString error;
    if (!courses.participants(course, &people, &error))
        return fail(error);
    for (const Participant &p : people)
        out() << p.id << '\t' << field(p.firstName) << '\t' << field(p.surname) << '\t'
              << p.birthDate.toString(Qt::ISODate) << '\t' << field(p.birthPlace) << '\t' << field(p.position) << '\t'
              << (p.passed ? 1 : 0) << '\t' << p.certificate << '\n';
    return kOk;
}

std::unique_ptr<Paperwork> openCourse(const QString &dataDir, const QString &number, const QString &command,
                                      qint64 *course, int *result)
{
    if (!courseNumber(number, course)) {
        *result = usage(command + QStringLiteral(": COURSE must be a course number"));
        return nullptr;
    }
    auto paperwork = openPaperwork(dataDir, result);
    Course known;
    QString error;
    if (paperwork && !paperwork->courses->course(*course, &known, &error)) {
        *result = fail(error);
        return nullptr;
    }
    return paperwork;
}

int courses(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("courses needs DATADIR"));
    int result = kOk;
    const auto paperwork = openPaperwork(args[0], &result);
    if (!paperwork)
        return result;
    std::vector<Course> all;
    QString error;
    if (!paperwork->courses->courses(-1, &all, &error))
        return fail(error);
    for (const Course &c : all)
        out() << c.id << '\t' << c.training << '\t' << c.from.toString(Qt::ISODate) << '\t'
              << c.to.toString(Qt::ISODate) << '\t' << field(c.place) << '\t' << c.participants << '\t'
              << c.certificates << '\n';
    return kOk;
}

int courseAdd(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--place"),
                      QStringLiteral("--trainer")},
               {}, &parsed)
        || parsed.positional.size() != 2 || !parsed.values.count(QStringLiteral("--from"))
        || !parsed.values.count(QStringLiteral("--to")) || !parsed.values.count(QStringLiteral("--place")))
        return usage(QStringLiteral("course add needs DATADIR TRAINING --from RRRR-MM-DD --to RRRR-MM-DD --place PLACE"));
    bool isNumber = false;
    const int training = parsed.positional[1].toInt(&isNumber);
    if (!isNumber || training < 0)
        return usage(QStringLiteral("course add: TRAINING must be a training number"));
    int result = kOk;
    const auto paperwork = openPaperwork(parsed.positional[0], &result);
    if (!paperwork)
        return result;
    TrainingRecord record;
    if (!readTrainingRecord(dataDirOf(parsed.positional[0]), training, &record) || !record.isLive())
        return fail(QStringLiteral("Nie ma szkolenia nr %1.").arg(training));
    Course course = paperwork->courses->newCourse(training);
    course.from = QDate::fromString(parsed.values[QStringLiteral("--from")], Qt::ISODate);
    course.to = QDate::fromString(parsed.values[QStringLiteral("--to")], Qt::ISODate);
    course.place = parsed.values[QStringLiteral("--place")];
    course.trainers = parsed.values[QStringLiteral("--trainer")];
    QString error;
    const auto edit = paperwork->courses->addCourse(course, &error);
    if (!edit)
        return fail(error);
    out() << edit->made << '\n';
    return kOk;
}

namespace {

// The logo's bytes as they are; saveOrganiser decides whether they are a picture.
bool readLogo(const QString &path, QByteArray *logo, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Nie można odczytać pliku logo %1: %2").arg(path, file.errorString());
        return false;
    }
    // Past the largest logo saveOrganiser accepts, one byte more tells it is too large.
    *logo = file.read(kMaxLogoBytes + 1);
    return true;
}

} // namespace

int organiser(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--name"), QStringLiteral("--address"), QStringLiteral("--place"),
                      QStringLiteral("--format"), QStringLiteral("--logo"), QStringLiteral("--phone"),
                      QStringLiteral("--email")},
               {QStringLiteral("--restart-yearly"), QStringLiteral("--no-logo")}, &parsed)
        || parsed.positional.size() != 1
        || (parsed.values.count(QStringLiteral("--logo")) && parsed.flags.count(QStringLiteral("--no-logo"))))
        return usage(QStringLiteral("organiser needs DATADIR [--name N --address A --place P] [--format F] "
                                    "[--restart-yearly] [--logo FILE.png|FILE.jpg | --no-logo] [--phone T] "
                                    "[--email E]"));
    int result = kOk;
    const auto paperwork = openPaperwork(parsed.positional[0], &result);
    if (!paperwork)
        return result;
    Organiser organiser;
    QString error;
    const bool known = paperwork->courses->organiser(&organiser, &error);
    if (!error.isEmpty())
        return fail(error);
    const bool changing = !parsed.values.empty() || !parsed.flags.empty();
    if (changing) {
        for (const auto &[option, value] : parsed.values) {
            if (option == QLatin1String("--name"))
                organiser.name = value;
            else if (option == QLatin1String("--address"))
                organiser.address = value;
            else if (option == QLatin1String("--place"))
                organiser.place = value;
            else if (option == QLatin1String("--format"))
                organiser.numberFormat = value;
            else if (option == QLatin1String("--phone"))
                organiser.phone = value;
            else if (option == QLatin1String("--email"))
                organiser.email = value;
            else if (!readLogo(value, &organiser.logo, &error))
                return fail(error);
        }
        if (parsed.flags.count(QStringLiteral("--no-logo")))
            organiser.logo.clear();
        organiser.restartYearly = organiser.restartYearly || parsed.flags.count(QStringLiteral("--restart-yearly"));
        if (!paperwork->courses->saveOrganiser(organiser, &error))
            return fail(error);
    } else if (!known) {
        return fail(QStringLiteral("Nie podano jeszcze danych organizatora."));
    }
    out() << field(organiser.name) << '\t' << field(organiser.address) << '\t' << field(organiser.place) << '\t'
          << organiser.numberFormat << '\t' << (organiser.restartYearly ? 1 : 0) << '\n';
    return kOk;
}

int participants(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--import")}, {QStringLiteral("--pass-all")}, &parsed)
        || parsed.positional.size() != 2)
        return usage(QStringLiteral("participants needs DATADIR COURSE [--import FILE.csv] [--pass-all]"));
    qint64 course = 0;
    int result = kOk;
    const auto paperwork =
        openCourse(parsed.positional[0], parsed.positional[1], QStringLiteral("participants"), &course, &result);
    if (!paperwork)
        return result;
    CourseService &courses = *paperwork->courses;
    QString error;
    if (parsed.values.count(QStringLiteral("--import"))) {
        const QString path = parsed.values[QStringLiteral("--import")];
        const ParticipantCsv csv = readParticipantCsvFile(path);
        if (!csv.error.isEmpty())
            return fail(csv.error);
        if (!csv.problems.empty()) {
            for (const CsvRowProblem &p : csv.problems)
                err() << path << QStringLiteral(", wiersz ") << p.line << ": " << p.reason << '\n';
            return fail(QStringLiteral("Nie zaimportowano nikogo: popraw błędne wiersze (%1).").arg(csv.problems.size()));
        }
        std::vector<CsvRowProblem> skipped;
        const bool imported = courses.importParticipants(course, csv, &skipped, &error).has_value();
        for (const CsvRowProblem &p : skipped)
            err() << path << QStringLiteral(", wiersz ") << p.line << ": " << p.reason << QStringLiteral(" Pominięto.\n");
        if (!imported)
            return fail(error);
    }
    if (parsed.flags.count(QStringLiteral("--pass-all"))) {
        // Everyone without an exam result; a stored result decides for the others.
        std::vector<Participant> people;
        if (!courses.participants(course, &people, &error))
            return fail(error);
        std::vector<qint64> ids;
        QStringList failed;
        for (const Participant &p : people) {
            if (!p.examined)
                ids.push_back(p.id);
            else if (!p.passed)
                failed << QStringLiteral("%1 %2 (%3 pkt)").arg(p.firstName, p.surname).arg(p.points);
        }
        if (!setPassed(courses.database(), ids, true, &error))
            return fail(error);
        if (!failed.isEmpty())
            result = fail(QStringLiteral("Nie zaliczyli egzaminu i nie zostali oznaczeni jako zaliczający: %1. "
                                         "O zaliczeniu decyduje zapisany wynik egzaminu.")
                              .arg(failed.join(QStringLiteral(", "))));
    }
    const int printed = printParticipants(courses, course);
    return result == kOk ? printed : result;
}

int registerCommand(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--cancel"), QStringLiteral("--reason")}, {}, &parsed)
        || (parsed.positional.size() != 1 && parsed.positional.size() != 2)
        || parsed.values.count(QStringLiteral("--cancel")) != parsed.values.count(QStringLiteral("--reason"))
        || (parsed.values.count(QStringLiteral("--cancel")) && parsed.positional.size() != 1))
        return usage(QStringLiteral("register needs DATADIR [OUT.csv|OUT.pdf] | DATADIR --cancel NUMBER --reason TEXT"));
    if (parsed.values.count(QStringLiteral("--cancel"))) {
        int result = kOk;
        const auto paperwork = openPaperwork(parsed.positional[0], &result);
        if (!paperwork)
            return result;
        QString error;
        return paperwork->courses->cancelCertificate(parsed.values[QStringLiteral("--cancel")],
                                                     parsed.values[QStringLiteral("--reason")], &error)
                   ? kOk
                   : fail(error);
    }
    const QStringList positional = parsed.positional;
    const QString target = positional.size() == 2 ? positional[1] : QString();
    if (!target.isEmpty() && !target.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
        && !target.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usage(QStringLiteral("register: the file must end in .csv or .pdf"));
    int result = kOk;
    const auto paperwork = openPaperwork(positional[0], &result);
    if (!paperwork)
        return result;
    QString error;
    if (!target.isEmpty())
        return paperwork->courses->saveRegister(target, &error) ? kOk : fail(error);
    const std::vector<RegisterEntry> entries = readRegister(*paperwork->database, 0, &error);
    if (!error.isEmpty())
        return fail(error);
    for (const RegisterEntry &e : entries)
        out() << e.number << '\t' << field(e.participantName) << '\t' << e.course << '\t' << e.training << '\t'
              << e.issued.toString(Qt::ISODate) << '\t' << (e.cancelled ? "anulowane" : "wydane") << '\t'
              << field(e.cancelReason) << '\n';
    return kOk;
}

int certificates(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--date")}, {QStringLiteral("--issue")}, &parsed) || parsed.positional.size() != 3
        || (parsed.values.count(QStringLiteral("--date")) && !parsed.flags.count(QStringLiteral("--issue"))))
        return usage(QStringLiteral("certificates needs DATADIR COURSE OUT.pdf [--issue [--date RRRR-MM-DD]]"));
    qint64 course = 0;
    int result = kOk;
    const auto paperwork =
        openCourse(parsed.positional[0], parsed.positional[1], QStringLiteral("certificates"), &course, &result);
    if (!paperwork)
        return result;
    QString error;
    if (parsed.flags.count(QStringLiteral("--issue"))) {
        // Dated as the window proposes unless a date is given.
        const QDate date = parsed.values.count(QStringLiteral("--date"))
                               ? QDate::fromString(parsed.values[QStringLiteral("--date")], Qt::ISODate)
                               : paperwork->courses->proposedIssueDate(course, &error);
        int issued = 0;
        if (!paperwork->courses->issue(course, date, &issued, &error))
            return fail(error);
    }
    return paperwork->courses->saveCertificates(course, 0, parsed.positional[2], &error) ? kOk : fail(error);
}

int attendance(const QStringList &args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("attendance needs DATADIR COURSE OUT.pdf"));
    qint64 course = 0;
    int result = kOk;
    const auto paperwork = openCourse(args[0], args[1], QStringLiteral("attendance"), &course, &result);
    if (!paperwork)
        return result;
    QString error;
    return paperwork->courses->saveAttendanceList(course, args[2], &error) ? kOk : fail(error);
}

int employers(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("employers needs DATADIR"));
    int result = kOk;
    const auto paperwork = openPaperwork(args[0], &result);
    if (!paperwork)
        return result;
    std::vector<Employer> all;
    QString error;
    if (!paperwork->courses->employers(&all, &error))
        return fail(error);
    for (const Employer &e : all)
        out() << e.id << '\t' << field(e.name) << '\t' << e.nip << '\t' << field(e.address) << '\t'
              << field(e.contact) << '\t' << field(e.email) << '\t' << field(e.phone) << '\n';
    return kOk;
}

int renewals(const QStringList &args)
{
    Parsed parsed;
    const QString usageText =
        QStringLiteral("renewals needs DATADIR [--months N] [--as-of RRRR-MM-DD] [OUT.csv|OUT.pdf]");
    if (!parse(args, {QStringLiteral("--months"), QStringLiteral("--as-of")}, {}, &parsed)
        || parsed.positional.isEmpty() || parsed.positional.size() > 2)
        return usage(usageText);
    int months = 3;
    if (parsed.values.count(QStringLiteral("--months"))) {
        bool number = false;
        months = parsed.values[QStringLiteral("--months")].toInt(&number);
        if (!number || months < 0 || months > 1200)
            return usage(QStringLiteral("renewals: --months must be a number of months from 0 to 1200"));
    }
    QDate asOf = QDate::currentDate();
    if (parsed.values.count(QStringLiteral("--as-of"))) {
        asOf = QDate::fromString(parsed.values[QStringLiteral("--as-of")], Qt::ISODate);
        if (!asOf.isValid())
            return usage(QStringLiteral("renewals: --as-of must be a date RRRR-MM-DD"));
    }
    const QString target = parsed.positional.size() == 2 ? parsed.positional[1] : QString();
    if (!target.isEmpty() && !target.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
        && !target.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usage(QStringLiteral("renewals: the file must end in .csv or .pdf"));
    int result = kOk;
    const auto paperwork = openPaperwork(parsed.positional[0], &result);
    if (!paperwork)
        return result;
    std::vector<Renewal> due;
    QString error;
    if (!paperwork->courses->renewals(asOf, months, &due, &error))
        return fail(error);
    if (!target.isEmpty())
        return paperwork->courses->saveRenewals(due, asOf, target, &error) ? kOk : fail(error);
    for (const Renewal &r : due)
        out() << r.due.toString(Qt::ISODate) << '\t' << field(r.fact.employer.name) << '\t' << field(r.fact.surname)
              << '\t' << field(r.fact.firstName) << '\t' << r.fact.type << '\t' << r.fact.number << '\t'
              << renewalState(r) << '\n';
    return kOk;
}

bool courseCommandDraws(const QStringList &args)
{
    if (args.isEmpty())
        return false;
    const auto pdfArgument = [&] {
        for (const QString &arg : args.mid(1))
            if (arg.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
                return true;
        return false;
    };
    return args[0] == QLatin1String("certificates") || args[0] == QLatin1String("attendance")
           || ((args[0] == QLatin1String("register") || args[0] == QLatin1String("renewals")) && pdfArgument());
}

} // namespace tool
