// A course's exam as the "Kursy" window and marbelo-tool use it alike: the
// test drawn from the bank for the topics the training's outline uses, the
// sheets typed in scored and stored with the course, and the exam's
// documents. It works through the course service of the same data folder.
#pragma once

#include "exam/ExamDocuments.h"
#include "exam/ExamStore.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace marbelo {
class CourseService;
}

namespace marbelo::exam {

class ExamService
{
public:
    // libraryDirs: where the topics the outline names are looked up.
    ExamService(CourseService &courses, const QStringList &libraryDirs);

    // The road from the training's outline through the library's topics to
    // the draw, stored with its number.
    bool prepareTest(qint64 course, int count, int variants, std::uint64_t number, QString *error);
    bool test(qint64 course, ExamTest *test, QString *error) const;
    // The stored results as the results form shows them: an entry for each
    // of people, in their order (blank where none is stored).
    bool resultEntries(qint64 course, const std::vector<Participant> &people, std::vector<ResultEntry> *entries,
                       QString *error) const;
    bool recordResults(qint64 course, const std::vector<ResultEntry> &entries, QString *error);
    bool documentData(qint64 course, ExamDocumentData *data, QString *error) const;
    bool saveDocument(ExamDocument kind, qint64 course, const QString &path, QString *error) const;

private:
    CourseService &m_courses;
    QStringList m_libraryDirs;
};

} // namespace marbelo::exam
