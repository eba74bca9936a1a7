// The register of certificates as a CSV file for a spreadsheet: UTF-8 with
// BOM, ";" separated, a header row, every number in order, cancelled ones
// marked with their reason.
#pragma once

#include "courses/CourseTypes.h"

#include <QByteArray>

#include <functional>

#include <vector>

namespace marbelo {

// The training's name by its number, for the register's lines.
using TrainingNames = std::function<QString(int training)>;

// One line of a ";" separated file for a spreadsheet, ending in CR LF: a
// field holding ";", a quote or a line break is quoted.
QString csvLine(const QStringList &fields);

QByteArray registerCsv(const std::vector<RegisterEntry> &entries, const TrainingNames &trainingName);
// Written through a save file: the old file stays whole when writing fails.
bool saveRegisterCsv(const QString &path, const std::vector<RegisterEntry> &entries,
                     const TrainingNames &trainingName, QString *error);

} // namespace marbelo
