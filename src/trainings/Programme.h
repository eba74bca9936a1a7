// The training programme read from an outline: each heading's counted hours,
// the training's total against the minimum of its type, the numbered rows of
// the programme document and the texts the window and the tool show.
#pragma once

#include "trainings/OutlineTree.h"

#include <optional>
#include <vector>

namespace marbelo {

// The least a programme of a training type must plan, in lesson hours.
struct ProgrammeMinimum
{
    int hours = 0;
    int exercises = 0; // of which exercises
};
// The minimum of training type 0..5; none for another value.
ProgrammeMinimum programmeMinimum(int type);

// Headings are the items without a slide: chapters, sections, subsections.
bool isProgrammeHeading(const OutlineTree &tree, OutlineNode node);
// A heading's count: its own hours, or else the sum of its sub-headings'.
PlannedHours countedHours(const OutlineTree &tree, OutlineNode node);
// The sum of a heading's sub-headings when it has its own hours that differ
// from it (the detail does not match the heading), else none.
std::optional<PlannedHours> mismatchedDetail(const OutlineTree &tree, OutlineNode node);
// The sum of the top-level headings' counts.
PlannedHours programmeTotal(const OutlineTree &tree);
bool meetsMinimum(const PlannedHours &total, int type);

struct ProgrammeRow
{
    OutlineNode node = kOutlineRoot;
    QString number; // "1.", "1.1", "1.1.1"
    int level = 0;
    QString name;
    PlannedHours hours; // counted
    // False for a heading without hours of its own under one that has its
    // own: its sum is no part of the total, and documents leave it blank.
    bool counts = true;
};
// The headings in outline order, numbered among their sibling headings.
std::vector<ProgrammeRow> programmeRows(const OutlineTree &tree);
// Whether a document prints a row's hours: only where they count and come
// to more than none. The rows under a heading with hours of its own, which
// the heading's hours already cover, stay blank unless they have their own.
bool hoursShown(const ProgrammeRow &row);

// Quarter hours as hours: "2", "0.5", "2.25" (decimalPoint ',' in the window).
QString hoursText(int quarters, QChar decimalPoint = QLatin1Char('.'));
// "2", "0.5", "1,75": none unless a whole number of quarters up to the limit.
std::optional<int> parseQuarters(const QString &text);
// "THEORY[+EXERCISES]", e.g. "2" or "0.5+0.25".
std::optional<PlannedHours> parseHours(const QString &text);

// "Ocena ryzyka zawodowego — 2 h" without the name: " — 2 h", with the
// sub-headings' sum when it differs; empty for a heading without hours.
QString headingHoursSuffix(const OutlineTree &tree, OutlineNode node);
// "Program: 14 h z wymaganych 16", and what is missing while below.
QString programmeLine(const PlannedHours &total, int type);

// The programme as the tool prints it: number, level, name, theory,
// exercises, total (the three empty on a row whose hours do not count); the
// last line RAZEM, the total and the type's minimum.
QString programmeTsv(const OutlineTree &tree, int type);

} // namespace marbelo
