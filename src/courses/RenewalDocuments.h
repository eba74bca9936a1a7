// What the renewals give the organiser to write to employers: a CSV file
// for a mail merge and, per employer, an A4 letter listing its staff whose
// periodic training falls due.
#pragma once

#include "courses/Renewals.h"

#include <QByteArray>

namespace marbelo {

// UTF-8 with BOM, ";" separated, a header row, one row per person with the
// employer's contact, in the order given.
QByteArray renewalsCsv(const std::vector<Renewal> &renewals);
bool saveRenewalsCsv(const QString &path, const std::vector<Renewal> &renewals, QString *error);

// One letter per employer (in the order its people first appear), each on
// pages of its own; people without an employer get none. False with a
// Polish message when none of them has an employer or writing fails.
bool saveRenewalLetters(const Organiser &organiser, const std::vector<Renewal> &renewals, const QDate &asOf,
                        const QString &path, QString *error);

} // namespace marbelo
