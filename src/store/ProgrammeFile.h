// The programme file Plan####.pdl beside a training's outline: the planned
// hours of its headings and the training's form. The outline file keeps its
// own layout; this file names each item by its place in the outline's
// pre-order and by the names on its path, so hours whose item has changed
// (a crash between the two saves, an outline edited by another program) are
// dropped rather than put on another item. Layout: docs/programme-file.md.
#pragma once

#include "store/PlannedHours.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo {

struct ProgrammeEntry
{
    int position = 0;   // the item's index in the outline's pre-order
    PlannedHours hours;
    QStringList path;   // names from the top-level item down to the item
    friend bool operator==(const ProgrammeEntry &, const ProgrammeEntry &) = default;
};

struct ProgrammeData
{
    TrainingForm form = TrainingForm::Course;
    std::vector<ProgrammeEntry> entries;
    bool isEmpty() const { return form == TrainingForm::Course && entries.empty(); }
    friend bool operator==(const ProgrammeData &, const ProgrammeData &) = default;
};

// The programme file of an outline file: "Tree0007.pdl" -> "Plan0007.pdl" in
// the same folder; any other name gets ".plan" appended.
QString programmePathFor(const QString &outlinePath);

// Reads the bytes of a programme file. False when they are not one (another
// start or version): nothing is taken from them. Entries cut off by the
// file's end are dropped; a form out of range reads as the course.
bool parseProgramme(const QByteArray &bytes, ProgrammeData *data);
QByteArray programmeBytes(const ProgrammeData &data);

// A missing, unreadable or foreign file is an empty programme (false).
bool readProgrammeFile(const QString &path, ProgrammeData *data);
// Replaces the file whole through a save file; false with an error text when
// the file keeps its previous contents.
bool saveProgrammeFile(const QString &path, const ProgrammeData &data, QString *error);

} // namespace marbelo
