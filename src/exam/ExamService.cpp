#include "exam/ExamService.h"

#include "courses/CourseService.h"
#include "courses/Results.h"
#include "exam/CourseTopics.h"
#include "exam/Draw.h"
#include "store/DataFiles.h"
#include "trainings/OutlineTree.h"

namespace marbelo::exam {

ExamService::ExamService(CourseService &courses, const QStringList &libraryDirs)
    : m_courses(courses), m_libraryDirs(libraryDirs)
{
}

bool ExamService::prepareTest(qint64 course, int count, int variants, std::uint64_t number, QString *error)
{
    Course stored;
    if (!m_courses.course(course, &stored, error))
        return false;
    const OutlineTree outline = OutlineTree::load(m_courses.dataDir() + outlineFileName(stored.training));
    const std::vector<UsedTopic> topics = topicsOfOutline(outline, libraryTopics(m_libraryDirs));
    return exam::prepareTest(m_courses.database(), course, topics, count, variants, number, error);
}

bool ExamService::test(qint64 course, ExamTest *test, QString *error) const
{
    QString why;
    *test = examTest(m_courses.database(), course, &why);
    *error = why;
    return why.isEmpty();
}

bool ExamService::resultEntries(qint64 course, const std::vector<Participant> &people,
                                std::vector<ResultEntry> *entries, QString *error) const
{
    QString why;
    const std::vector<ExamResult> results = examResults(m_courses.database(), course, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    entries->assign(people.size(), ResultEntry{});
    for (const ExamResult &r : results)
        for (std::size_t i = 0; i < people.size(); ++i)
            if (people[i].id == r.participant)
                (*entries)[i] = {r.participant, r.variant >= 0 ? QString(variantLetter(r.variant)) : QString(),
                                 r.letters, r.points};
    return true;
}

bool ExamService::recordResults(qint64 course, const std::vector<ResultEntry> &entries, QString *error)
{
    return exam::recordResults(m_courses.database(), course, entries, error);
}

bool ExamService::documentData(qint64 course, ExamDocumentData *data, QString *error) const
{
    Course stored;
    if (!m_courses.course(course, &stored, error))
        return false;
    QString why;
    *data = examDocumentData(m_courses.database(), stored, m_courses.training(stored.training).shownName(), &why);
    *error = why;
    return why.isEmpty();
}

bool ExamService::saveDocument(ExamDocument kind, qint64 course, const QString &path, QString *error) const
{
    ExamDocumentData data;
    return documentData(course, &data, error) && saveExamDocument(kind, data, path, error);
}

} // namespace marbelo::exam
