// What the course documents print, as text: the fields of a certificate's
// front after the regulation's pattern, and the lines of the attendance list
// and the register. The PDF layer only lays these out.
#pragma once

#include "courses/CourseTypes.h"
#include "courses/IssuedCertificate.h"

#include <QStringList>

#include <vector>

namespace marbelo {

// One line of a certificate's front: the text, and the small caption printed
// under it (empty for none).
struct CertificateLine
{
    QString text;
    QString caption;
    bool heading = false;
};

// The front as the certificate was issued.
std::vector<CertificateLine> certificateFront(const IssuedCertificate &certificate);

// "02.03.2026" and the range "od 02.03.2026 r. do 03.03.2026 r." (one day: "dnia 02.03.2026 r.").
QString documentDate(const QDate &date);
QString courseDays(const QDate &from, const QDate &to);

} // namespace marbelo
