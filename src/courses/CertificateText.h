// What the course documents print, as text: the fields of a certificate's
// front after the regulation's pattern, and the dates of the attendance list
// and the register. The PDF layer only lays these out.
#pragma once

#include "courses/CourseTypes.h"
#include "courses/IssuedCertificate.h"
#include "documents/PdfDocument.h"

#include <QStringList>

#include <vector>

namespace marbelo {

// A certificate's front: its title, the lines of the form top to bottom
// (each a row of fields written on dotted lines over their captions), and
// the captions of the places at its foot (the organiser's stamp, the
// signature).
struct CertificateFront
{
    QStringList title;
    std::vector<std::vector<FormField>> lines;
    QStringList places;
};

// The front as the certificate was issued.
CertificateFront certificateFront(const IssuedCertificate &certificate);

// "02.03.2026" and the range "od 02.03.2026 r. do 03.03.2026 r." (one day: "dnia 02.03.2026 r.").
QString documentDate(const QDate &date);
QString courseDays(const QDate &from, const QDate &to);

} // namespace marbelo
