// A training of the catalogue as the paperwork names it: its name and type by
// its number, also once it is deleted (its record keeps both).
#pragma once

#include <QString>

namespace marbelo {

struct TrainingInfo
{
    int number = -1;
    QString name; // empty when the catalogue has no such record
    int type = -1;

    bool known() const { return !name.isEmpty() || type >= 0; }
    // The name, or "szkolenie nr N" for a number the catalogue lacks.
    QString shownName() const
    {
        return known() ? name : QStringLiteral("szkolenie nr %1").arg(number);
    }
};

TrainingInfo trainingInfo(const QString &dataDir, int number);

} // namespace marbelo
