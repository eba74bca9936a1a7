// The course documents (attendance list, certificates, register) written as
// PDFs against a file-size limit at many byte counts: the file ends exactly
// as before or exactly as after, nothing is left behind, and every failure is
// told with a message. Runs with a QApplication: the PDFs draw text.

#include "courses/CourseDocuments.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "presentation/OutlineTree.h"
#include "store/DataFiles.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// A PDF with its creation time blanked (the same length): the only bytes in
// which two writings of one document differ.
QByteArray withoutStamps(QByteArray pdf)
{
    static const QRegularExpression stamp(QStringLiteral("/CreationDate \\(D:\\d{14}"));
    const QRegularExpressionMatch m = stamp.match(QString::fromLatin1(pdf));
    if (m.hasMatch())
        pdf.replace(m.capturedStart(), m.capturedLength(), QByteArray(m.capturedLength(), 'x'));
    return pdf;
}

} // namespace

TEST(CourseDocumentFaultTest, DocumentsOverAnOlderFile)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    TempDataDir dir;
    TempDataDir out;
    QString error;
    std::vector<OutlineRecord> programme;
    for (int i = 1; i <= 3; ++i)
        programme.push_back({QStringLiteral("Temat żółty %1").arg(i), 0, 0x40000000, PlannedHours{4 * i, 2}});
    ASSERT_TRUE(OutlineTree::fromRecords(programme).save(dir.file(outlineFileName(1)), &error));
    db::Database database(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open(&error)) << error.toStdString();
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
    const qint64 course = addCourse(database, testCourse(1), &error).value_or(0);
    int issued = 0;
    ASSERT_TRUE(addParticipants(database, course, testParticipants(3), &error)
                && issueCertificates(database, course, QDate(2026, 3, 3), &issued, &error))
        << error.toStdString();

    const struct
    {
        const char *writer;
        std::function<bool(const QString &)> save;
        qint64 stride; // every byte count to 64, then every stride-th
    } rows[] = {
        {"attendance list PDF (2 days, 3 participants)",
         [&](const QString &path) { return saveAttendanceList(database, dir.path(), course, path, &error); }, 211},
        {"certificates PDF (3 certificates)",
         [&](const QString &path) { return saveCertificates(database, dir.path(), course, 0, path, &error); }, 263},
        {"register PDF (3 numbers)",
         [&](const QString &path) { return saveRegisterDocument(database, dir.path(), path, &error); }, 211},
    };
    const QString pdf = out.file("d.pdf");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.writer);
        QFile::remove(pdf);
        ASSERT_TRUE(row.save(pdf)) << error.toStdString();
        FaultCase fault{QString::fromLatin1(row.writer), out.path(), {{pdf, QByteArray("older pdf"), readFile(pdf)}},
                        [&] {
                            error.clear();
                            // A failure without a message counts as a success reported.
                            return row.save(pdf) || error.isEmpty();
                        }};
        fault.comparable = withoutStamps;
        std::vector<qint64> limits;
        for (qint64 limit : everyFailurePoint(fault)) {
            if (limit <= 64 || limit % row.stride == 0)
                limits.push_back(limit);
        }
        expectSoundMatrix(fault, limits);
    }
}
