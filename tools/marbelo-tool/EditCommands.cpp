// course set and participant set: corrections of a course or a participant,
// through the course service as the window makes them.

#include "Tool.h"

#include "courses/CourseService.h"
#include "courses/ParticipantCsv.h"

using namespace marbelo;

namespace tool {

namespace {

// A date given as RRRR-MM-DD (or DD.MM.RRRR); false after printing the usage.
bool dateOption(const Parsed &parsed, const QString &option, QDate *date, int *result)
{
    if (!parsed.values.count(option))
        return true;
    *date = parseCsvDate(parsed.values.at(option));
    if (date->isValid())
        return true;
    *result = usage(option + QStringLiteral(" takes a date RRRR-MM-DD"));
    return false;
}

void textOption(const Parsed &parsed, const QString &option, QString *text)
{
    if (parsed.values.count(option))
        *text = parsed.values.at(option);
}

// What the edit says to the user, and its exit code.
int edited(const std::optional<RecordEdit> &edit, const QString &error)
{
    if (!edit)
        return fail(error);
    if (!edit->notice.isEmpty())
        err() << edit->notice << '\n';
    return kOk;
}

} // namespace

int courseSet(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--place"),
                      QStringLiteral("--trainer")},
               {}, &parsed)
        || parsed.positional.size() != 2 || parsed.values.empty())
        return usage(QStringLiteral("course set needs DATADIR COURSE [--from D] [--to D] [--place P] [--trainer T]"));
    qint64 id = 0;
    int result = kOk;
    const auto paperwork = openCourse(parsed.positional[0], parsed.positional[1], QStringLiteral("course set"), &id,
                                      &result);
    if (!paperwork)
        return result;
    Course course;
    QString error;
    if (!paperwork->courses->course(id, &course, &error))
        return fail(error);
    if (!dateOption(parsed, QStringLiteral("--from"), &course.from, &result)
        || !dateOption(parsed, QStringLiteral("--to"), &course.to, &result))
        return result;
    textOption(parsed, QStringLiteral("--place"), &course.place);
    textOption(parsed, QStringLiteral("--trainer"), &course.trainers);
    return edited(paperwork->courses->changeCourse(course, &error), error);
}

int participantSet(const QStringList &args)
{
    Parsed parsed;
    if (!parse(args, {QStringLiteral("--first-name"), QStringLiteral("--surname"), QStringLiteral("--birth-date"),
                      QStringLiteral("--birth-place"), QStringLiteral("--position")},
               {}, &parsed)
        || parsed.positional.size() != 3 || parsed.values.empty())
        return usage(QStringLiteral("participant set needs DATADIR COURSE PARTICIPANT [--first-name N] [--surname S]"
                                    " [--birth-date D] [--birth-place P] [--position P]"));
    qint64 course = 0;
    int result = kOk;
    const auto paperwork = openCourse(parsed.positional[0], parsed.positional[1], QStringLiteral("participant set"),
                                      &course, &result);
    if (!paperwork)
        return result;
    bool isNumber = false;
    const qint64 id = parsed.positional[2].toLongLong(&isNumber);
    if (!isNumber)
        return usage(QStringLiteral("participant set: PARTICIPANT must be the number participants prints"));
    std::vector<Participant> people;
    QString error;
    if (!paperwork->courses->participants(course, &people, &error))
        return fail(error);
    const auto found = std::find_if(people.begin(), people.end(), [id](const Participant &p) { return p.id == id; });
    if (found == people.end())
        return fail(QStringLiteral("Kurs nr %1 nie ma uczestnika nr %2.").arg(course).arg(id));
    Participant changed = *found;
    textOption(parsed, QStringLiteral("--first-name"), &changed.firstName);
    textOption(parsed, QStringLiteral("--surname"), &changed.surname);
    textOption(parsed, QStringLiteral("--birth-place"), &changed.birthPlace);
    textOption(parsed, QStringLiteral("--position"), &changed.position);
    if (!dateOption(parsed, QStringLiteral("--birth-date"), &changed.birthDate, &result))
        return result;
    return edited(paperwork->courses->changeParticipant(changed, &error), error);
}

} // namespace tool
