// The programme of a training as an A4 PDF: the type's full name and the
// training's name, its form, the numbered headings with their theory,
// exercise and total hours, the total and the minimum for the type.
#pragma once

#include "trainings/OutlineTree.h"
#include "store/Records.h"

#include <QByteArray>

namespace marbelo {

QByteArray programmeDocument(const OutlineTree &tree, const TrainingRecord &training);
// Writes it whole to path; false with an error text when path keeps what it had.
bool saveProgrammeDocument(const QString &path, const OutlineTree &tree, const TrainingRecord &training,
                           QString *error);

} // namespace marbelo
