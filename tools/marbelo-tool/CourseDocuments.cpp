// The course documents of the tool: register, certificates and attendance
// list as PDF files.

#include "Tool.h"

#include "courses/CourseDocuments.h"
#include "store/db/Database.h"

namespace tool {

bool courseCommandDraws(const QStringList &args)
{
    if (args.isEmpty())
        return false;
    return args[0] == QLatin1String("certificates") || args[0] == QLatin1String("attendance")
           || (args[0] == QLatin1String("register") && args.size() == 3
               && args[2].endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive));
}

int saveRegisterPdf(marbelo::db::Database &database, const QString &dataDir, const QString &path)
{
    QString error;
    return marbelo::saveRegisterDocument(database, dataDir, path, &error) ? kOk : fail(error);
}

int saveCertificatesPdf(marbelo::db::Database &database, const QString &dataDir, qint64 course, const QString &path)
{
    QString error;
    return marbelo::saveCertificates(database, dataDir, course, 0, path, &error) ? kOk : fail(error);
}

int saveAttendancePdf(marbelo::db::Database &database, const QString &dataDir, qint64 course, const QString &path)
{
    QString error;
    return marbelo::saveAttendanceList(database, dataDir, course, path, &error) ? kOk : fail(error);
}

} // namespace tool
