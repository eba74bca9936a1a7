// The course documents (attendance list, certificates, register) written as
// PDFs against a file-size limit at many byte counts: the file ends exactly
// as before or exactly as after, nothing is left behind, and every failure is
// told with a message. A GUI test: the PDFs draw text.

#include "courses/CourseDocuments.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// A PDF with its creation time blanked (the same length): the only bytes in
// which two writings of one document differ.
QByteArray withoutStamps(QByteArray pdf)
{
    const qsizetype at = pdf.indexOf("/CreationDate (D:");
    return at < 0 ? pdf : pdf.replace(at + 17, 14, QByteArray(14, 'x'));
}

} // namespace

TEST(CourseDocumentFaultTest, DocumentsOverAnOlderFile)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    TempDataDir dir;
    TempDataDir out;
    QString error;
    db::Database database(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open(&error)) << error.toStdString();
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
    const qint64 course = addCourse(database, testCourse(1), &error).value_or(0);
    int issued = 0;
    ASSERT_TRUE(addParticipants(database, course, testParticipants(3), &error)
                && issueCertificates(database, dir.path(), course, QDate(2026, 3, 3), &issued, &error))
        << error.toStdString();

    using Save = std::function<bool(const QString &)>;
    const std::pair<const char *, Save> rows[] = {
        {"attendance list PDF (2 days, 3 participants)",
         [&](const QString &path) { return saveAttendanceList(database, dir.path(), course, path, &error); }},
        {"certificates PDF (3 certificates)",
         [&](const QString &path) { return saveCertificates(database, dir.path(), course, 0, path, &error); }},
        {"register PDF (3 numbers)",
         [&](const QString &path) { return saveRegisterDocument(database, dir.path(), path, &error); }},
    };
    const QString pdf = out.file("d.pdf");
    for (const auto &[writer, save] : rows) {
        ASSERT_TRUE(save(pdf)) << error.toStdString();
        // A failure without a message counts as a success reported.
        FaultCase fault{QString::fromLatin1(writer), out.path(), {{pdf, QByteArray("older pdf"), readFile(pdf)}},
                        [&] { return error.clear(), save(pdf) || error.isEmpty(); }};
        fault.comparable = withoutStamps;
        std::vector<qint64> limits; // every byte count to 64, then every 211th
        for (qint64 limit : everyFailurePoint(fault)) {
            if (limit <= 64 || limit % 211 == 0)
                limits.push_back(limit);
        }
        expectSoundMatrix(fault, limits);
    }
}
