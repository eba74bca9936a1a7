// Shared plumbing of marbelo-tool's commands.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <map>
#include <memory>
#include <set>

namespace marbelo {
namespace db {
class Database;
}
class CourseService;
}

namespace tool {

constexpr int kOk = 0;
constexpr int kFailed = 1; // unreadable or corrupt file
constexpr int kUsage = 2;  // wrong usage

QTextStream &out();
QTextStream &err();

// Prints the message on stderr and returns kFailed.
int fail(const QString &message);
int usage(const QString &message);

QString hexReference(quint32 reference); // 0x%08X

// Positional arguments, then options: "--name VALUE" or a bare "--flag".
struct Parsed
{
    QStringList positional;
    std::map<QString, QString> values;
    std::set<QString> flags;
};
bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flagOptions, Parsed *parsed);
// DATADIR with its trailing separator.
QString dataDirOf(const QString &arg);
// DATADIR's database, opened; null after printing why (with *result set).
// What the opening found the record to contradict itself in is printed on
// the error output.
std::unique_ptr<marbelo::db::Database> openDatabase(const QString &arg, int *result);

// DATADIR's database with the course service over it.
struct Paperwork
{
    std::unique_ptr<marbelo::db::Database> database;
    std::unique_ptr<marbelo::CourseService> courses;
    ~Paperwork();
};
// Null after printing why (with *result set).
std::unique_ptr<Paperwork> openPaperwork(const QString &arg, int *result);
// DATADIR's database, opened, and in it the course numbered COURSE; null
// after printing why (*result: wrong usage for a COURSE that is no number).
std::unique_ptr<Paperwork> openCourse(const QString &dataDir, const QString &number, const QString &command,
                                      qint64 *course, int *result);
// The course's participants as the participants command prints them; the exit code.
int printParticipants(marbelo::CourseService &courses, qint64 course);
bool courseNumber(const QString &arg, qint64 *course);
// A text as one TSV field: tabs and line breaks become spaces.
QString field(QString text);

// Commands; args excludes the command words.
int libraryBuild(const QStringList &args);
int libraryDump(const QStringList &args);
int libraryList(const QStringList &args);
int libraryImport(const QStringList &args);
int frontBuild(const QStringList &args);
int extract(const QStringList &args);
int trainings(const QStringList &args);
int outline(const QStringList &args);
int compose(const QStringList &args);
int exportFolder(const QStringList &args);
int pdf(const QStringList &args);
int blocks(const QStringList &args);
int programme(const QStringList &args);
// The programme's PDF draws text, which needs a QGuiApplication.
bool needsGuiApplication(const QStringList &args);
int courses(const QStringList &args);
int courseAdd(const QStringList &args);
int courseSet(const QStringList &args);
int participantSet(const QStringList &args);
int organiser(const QStringList &args);
int participants(const QStringList &args);
int registerCommand(const QStringList &args);
int certificates(const QStringList &args);
int attendance(const QStringList &args);
int employers(const QStringList &args);
int renewals(const QStringList &args);
int databaseShow(const QStringList &args);
int databaseUse(const QStringList &args);
int databaseCopy(const QStringList &args);

// True for the course commands that draw a PDF (they need a QGuiApplication).
bool courseCommandDraws(const QStringList &args);
int questions(const QStringList &args);
int exam(const QStringList &args);
// The exam's PDFs draw text too.
bool examNeedsGuiApplication(const QStringList &args);
// The training as an e-learning package (SCORM 1.2).
int scorm(const QStringList &args);

} // namespace tool
