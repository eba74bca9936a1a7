// Scoring of a sheet: the letters a participant marked, one per question in
// the variant's order, against the variant's key.
#pragma once

#include <QList>
#include <QString>

namespace marbelo::exam {

struct KeyQuestion
{
    int right = 0;   // the right answer's letter index on the sheet
    int answers = 0; // how many answers the sheet shows
};

// The points of the letters typed for a sheet: "A".."D" (either case) a
// marked answer, "-" or "." none, "X" two or more boxes marked (no point).
// False with a Polish message when the count of letters differs from the
// sheet's questions or a letter is not on the sheet.
bool scoreLetters(const QList<KeyQuestion> &key, const QString &letters, int *points, QString *error);

} // namespace marbelo::exam
