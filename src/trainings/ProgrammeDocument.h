// The programme of a training as an A4 PDF: the organiser's letterhead when
// there is one, the type's full name and the training's name, its form, the
// numbered headings with their theory, exercise and total hours (where they
// count), the total and the minimum for the type.
#pragma once

#include "documents/Letterhead.h"
#include "trainings/OutlineTree.h"
#include "store/Records.h"

#include <QByteArray>

namespace marbelo {

QByteArray programmeDocument(const OutlineTree &tree, const TrainingRecord &training,
                             const Letterhead &letterhead = {});
// Writes it whole to path; false with an error text when path keeps what it had.
bool saveProgrammeDocument(const QString &path, const OutlineTree &tree, const TrainingRecord &training,
                           QString *error, const Letterhead &letterhead = {});

} // namespace marbelo
