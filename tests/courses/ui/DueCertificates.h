// A data folder whose certificates fall due around today: two trainings
// (manual posts every 3 years, office staff every 6), two employers and
// three certified courses, written through the course service.
#pragma once

#include <QString>

namespace testing_support {

struct DueCertificates
{
    int manual = -1; // training numbers
    int office = -1;
    qint64 employerA = 0; // two people due within a month
    qint64 employerB = 0; // one person overdue
    // and one person of the office training, without an employer, due within a month
};

DueCertificates writeDueCertificates(const QString &dataDir);

} // namespace testing_support
