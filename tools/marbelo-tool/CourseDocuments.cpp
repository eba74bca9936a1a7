// The course documents of the tool: register, certificates and attendance
// list as PDF files.

#include "Tool.h"

#include "store/db/Database.h"

namespace tool {

int saveRegisterPdf(marbelo::db::Database &, const QString &, const QString &)
{
    return fail(QStringLiteral("Dokumenty PDF kursów nie są jeszcze dostępne."));
}

int saveCertificatesPdf(marbelo::db::Database &, const QString &, qint64, const QString &)
{
    return fail(QStringLiteral("Dokumenty PDF kursów nie są jeszcze dostępne."));
}

int saveAttendancePdf(marbelo::db::Database &, const QString &, qint64, const QString &)
{
    return fail(QStringLiteral("Dokumenty PDF kursów nie są jeszcze dostępne."));
}

} // namespace tool
