#include "trainings/ProgrammeDocument.h"

#include "documents/PdfDocument.h"
#include "trainings/Programme.h"

namespace marbelo {

namespace {

QString hours(int quarters)
{
    return hoursText(quarters, QLatin1Char(','));
}

} // namespace

QByteArray programmeDocument(const OutlineTree &tree, const TrainingRecord &training, const Letterhead &letterhead)
{
    PdfDocument document(QStringLiteral("Program szkolenia: %1").arg(training.name));
    document.letterhead(letterhead);
    QStringList title{QStringLiteral("Program szkolenia")};
    if (!trainingTypeName(training.type).isEmpty())
        title << trainingTypeName(training.type);
    title << training.name;
    document.title(title);
    document.paragraph(QStringLiteral("Forma szkolenia: %1").arg(trainingFormName(tree.form())));
    document.paragraph(QStringLiteral("Liczba godzin lekcyjnych (1 godzina lekcyjna = 45 minut)"));

    const std::vector<DocumentColumn> columns = {
        {QStringLiteral("Lp."), 1, false, ColumnFit::OneLine},
        {QStringLiteral("Temat"), 1, false},
        {QStringLiteral("Zajęcia teoretyczne"), 1, true, ColumnFit::OneLine},
        {QStringLiteral("Ćwiczenia"), 1, true, ColumnFit::OneLine},
        {QStringLiteral("Razem"), 1, true, ColumnFit::OneLine},
    };
    std::vector<DocumentRow> rows;
    for (const ProgrammeRow &row : programmeRows(tree)) {
        // Hours only where they count and come to more than none: a
        // sub-heading without hours of its own under a heading with its own
        // stays blank.
        const auto shown = [&row](int quarters) { return hoursShown(row) ? hours(quarters) : QString(); };
        rows.push_back({{row.number, row.name, shown(row.hours.theory), shown(row.hours.exercises),
                         shown(row.hours.total())},
                        row.level == 0,
                        row.level,
                        1});
    }
    const PlannedHours total = programmeTotal(tree);
    rows.push_back({{QString(), QStringLiteral("Razem"), hours(total.theory), hours(total.exercises),
                     hours(total.total())},
                    true,
                    0,
                    1});
    document.table(columns, rows);

    const ProgrammeMinimum minimum = programmeMinimum(training.type);
    QString required = QStringLiteral("Minimalna liczba godzin dla tego rodzaju szkolenia: %1").arg(minimum.hours);
    if (minimum.exercises > 0)
        required += QStringLiteral(" (w tym ćwiczenia: %1)").arg(minimum.exercises);
    document.paragraph(required + QLatin1Char('.'));
    if (!meetsMinimum(total, training.type))
        document.paragraph(QStringLiteral("Program nie osiąga wymaganej minimalnej liczby godzin."), true);
    return document.finish();
}

bool saveProgrammeDocument(const QString &path, const OutlineTree &tree, const TrainingRecord &training,
                           QString *error, const Letterhead &letterhead)
{
    return writeDocument(path, programmeDocument(tree, training, letterhead), error);
}

} // namespace marbelo
