// programme: a training's programme as TSV or as the PDF the program writes
// (under the organiser's letterhead when the data folder's database has
// one), and its hours and form set from a script, through the window's own
// edits and saves.

#include "Tool.h"

#include "courses/Organiser.h"
#include "store/db/Database.h"
#include "trainings/OutlineHistory.h"
#include "trainings/Programme.h"
#include "trainings/ProgrammeDocument.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace marbelo;

namespace tool {

namespace {

struct ProgrammeArguments
{
    QString dir;
    int number = -1;
    QString pdf;
    QStringList sets; // NUMBERING=THEORY[+EXERCISES]
    QString form;
};

int parseArguments(const QStringList &args, ProgrammeArguments *parsed)
{
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--form")) {
            if (i + 1 >= args.size())
                return usage(QStringLiteral("--form needs kurs, seminarium, samokształcenie or instruktaż"));
            parsed->form = args[++i];
        } else if (args[i] == QLatin1String("--set")) {
            for (; i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--")); ++i)
                parsed->sets << args[i + 1];
            if (parsed->sets.isEmpty())
                return usage(QStringLiteral("--set needs NUMBERING=THEORY[+EXERCISES]"));
        } else {
            positional << args[i];
        }
    }
    if (positional.size() < 2 || positional.size() > 3)
        return usage(QStringLiteral("programme needs DATADIR and NUMBER"));
    parsed->dir = QDir::fromNativeSeparators(positional[0]);
    if (!parsed->dir.endsWith(QLatin1Char('/')))
        parsed->dir += QLatin1Char('/');
    if (!QFileInfo(parsed->dir).isDir())
        return fail(positional[0] + QStringLiteral(": not a directory"));
    bool ok = false;
    parsed->number = positional[1].toInt(&ok);
    if (!ok || parsed->number < 0)
        return usage(QStringLiteral("NUMBER must be a training number"));
    if (positional.size() == 3)
        parsed->pdf = positional[2];
    return kOk;
}

// Applies the --set and --form arguments as the window's edits would.
int setProgramme(const ProgrammeArguments &args, OutlineTree *tree)
{
    std::optional<TrainingForm> form = tree->form();
    if (!args.form.isEmpty() && !(form = trainingFormNamed(args.form)))
        return usage(args.form + QStringLiteral(": not a form of training"));
    const std::vector<ProgrammeRow> rows = programmeRows(*tree);
    bool formSet = args.form.isEmpty();
    for (const QString &set : args.sets) {
        const QString numbering = set.section(QLatin1Char('='), 0, 0);
        const QString value = set.section(QLatin1Char('='), 1);
        std::optional<PlannedHours> hours;
        if (value != QLatin1String("-") && !(hours = parseHours(value)))
            return usage(set + QStringLiteral(": hours must be THEORY[+EXERCISES] in quarter hours, or -"));
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const ProgrammeRow &r) {
            return r.number == numbering || r.number == numbering + QLatin1Char('.');
        });
        if (row == rows.end())
            return fail(numbering + QStringLiteral(": no heading of that number"));
        applyOutlineEdit(*tree, planEdits(*tree, row->node, hours, *form).first);
        formSet = true;
    }
    if (!formSet)
        tree->setForm(*form);
    return kOk;
}

// The organiser's letterhead when the data folder has a database with one;
// no database is made for it, and one that cannot be opened leaves the
// programme without a letterhead, said on the error output.
Letterhead dataFolderLetterhead(const QString &dir)
{
    const QString path = db::Database::pathIn(dir);
    if (!QFileInfo::exists(path))
        return {};
    db::Database database(path);
    QString error;
    if (!database.open(&error)) {
        err() << error << QStringLiteral(" Nagłówek organizatora pominięto.\n");
        return {};
    }
    return readLetterhead(database);
}

} // namespace

bool needsGuiApplication(const QStringList &args)
{
    // Only the PDF of the programme draws text.
    if (args.isEmpty() || args[0] != QLatin1String("programme"))
        return false;
    int positional = 0;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--form"))
            ++i;
        else if (args[i] == QLatin1String("--set"))
            return false;
        else
            ++positional;
    }
    return positional == 3;
}

int programme(const QStringList &args)
{
    ProgrammeArguments parsed;
    if (const int result = parseArguments(args, &parsed); result != kOk)
        return result;
    TrainingRecord training;
    if (!readTrainingRecord(parsed.dir, parsed.number, &training))
        return fail(QStringLiteral("training %1: not in %2").arg(parsed.number).arg(kCatalogueName));
    const QString outlinePath = parsed.dir + outlineFileName(parsed.number);
    OutlineTree tree = OutlineTree::load(outlinePath);
    if (!parsed.sets.isEmpty() || !parsed.form.isEmpty()) {
        if (!parsed.pdf.isEmpty())
            return usage(QStringLiteral("--set and --form write no PDF"));
        if (const int result = setProgramme(parsed, &tree); result != kOk)
            return result;
        QString error;
        if (!tree.save(outlinePath, &error))
            return fail(error);
        return kOk;
    }
    if (!parsed.pdf.isEmpty()) {
        QString error;
        if (!saveProgrammeDocument(parsed.pdf, tree, training, &error, dataFolderLetterhead(parsed.dir)))
            return fail(error);
        return kOk;
    }
    out() << programmeTsv(tree, training.type);
    return kOk;
}

} // namespace tool
