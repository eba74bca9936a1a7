// compose, export, pdf, blocks: presentation files.

#include "Tool.h"

#include "presentation/Compose.h"
#include "presentation/ExportFolder.h"
#include "presentation/ExportPlan.h"
#include "trainings/OutlineTree.h"
#include "presentation/PdfExport.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/WorkFolder.h"
#include "store/components/Stream.h"

#include <QDir>
#include <QFileInfo>

using namespace marbelo;

namespace tool {

namespace {

// DATADIR and NUMBER of a command, with the training's outline in pre-order.
struct TrainingArgs
{
    QString dataDir;
    int number = -1;
    std::vector<ItemReference> references;
};

bool trainingArgs(const QStringList &args, TrainingArgs *parsed)
{
    bool isNumber = false;
    parsed->number = args[1].toInt(&isNumber);
    if (!isNumber || parsed->number < 0)
        return false;
    parsed->dataDir = QDir::fromNativeSeparators(args[0]);
    if (!parsed->dataDir.endsWith(QLatin1Char('/')))
        parsed->dataDir += QLatin1Char('/');
    // The outline's pre-order, as the window composes it; a missing outline
    // is an empty one.
    parsed->references = OutlineTree::load(parsed->dataDir + outlineFileName(parsed->number)).references();
    return true;
}

} // namespace

int compose(const QStringList &args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("compose needs DATADIR, NUMBER and OUT.pnn"));
    TrainingArgs parsed;
    if (!trainingArgs(args, &parsed))
        return usage(QStringLiteral("compose: NUMBER must be a training number"));
    TrainingRecord training;
    const ComposeResult result =
        composePresentation(parsed.dataDir, parsed.number, parsed.references, &training, args[2]);
    if (!result.ok)
        return fail(QStringLiteral("compose: ") + result.error);
    out() << "slides\t" << result.slides() << "\tbytes\t" << result.bytes << Qt::endl;
    return kOk;
}

int exportFolder(const QStringList &args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("export needs DATADIR, NUMBER and FOLDER/NAME.pnn"));
    TrainingArgs parsed;
    if (!trainingArgs(args, &parsed))
        return usage(QStringLiteral("export: NUMBER must be a training number"));
    if (namesFolder(args[2]))
        return fail(QStringLiteral("Nie można zapisać prezentacji pod nazwą %1, ponieważ jest to folder.").arg(args[2]));
    const QString chosen = QFileInfo(args[2]).absoluteFilePath();
    // The working file of a folder of this run, refused as the window's export refuses it.
    const WorkFolder workFolder;
    const QString work = workFolder.presentationPath();
    const QString taken = refusedTarget(chosen, parsed.dataDir, work, parsed.number);
    if (!taken.isEmpty())
        return fail(programFileRefusal(TargetKind::Presentation, taken));
    if (!QDir().mkpath(presentationFolder(chosen)))
        return fail(QStringLiteral("export: ") + presentationFolder(chosen) + QStringLiteral(": cannot be created"));
    TrainingRecord training;
    const ExportResult result =
        exportPresentationFolder(parsed.dataDir, parsed.number, parsed.references, &training, chosen);
    if (!result.ok())
        return fail(QStringLiteral("export: ") + exportMessage(result, chosen).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    out() << "slides\t" << result.slides << "\tbytes\t" << result.composed.bytes << Qt::endl;
    return kOk;
}

int pdf(const QStringList &args)
{
    const bool handouts = args.size() == 4 && args[3] == QLatin1String("--handouts");
    if (args.size() != 3 && !handouts)
        return usage(QStringLiteral("pdf needs DATADIR, NUMBER, OUT.pdf and optionally --handouts"));
    TrainingArgs parsed;
    if (!trainingArgs(args, &parsed))
        return usage(QStringLiteral("pdf: NUMBER must be a training number"));
    const WorkFolder workFolder;
    const QString work = workFolder.presentationPath();
    if (namesFolder(args[2]))
        return fail(QStringLiteral("Nie można zapisać pliku PDF pod nazwą %1, ponieważ jest to folder.").arg(args[2]));
    const QString taken = refusedTarget(args[2], parsed.dataDir, work, parsed.number);
    if (!taken.isEmpty())
        return fail(programFileRefusal(TargetKind::Pdf, taken));
    TrainingRecord training;
    const PdfResult result = exportPresentationPdf(parsed.dataDir, parsed.number, parsed.references, &training,
                                                   handouts ? PdfLayout::Handouts : PdfLayout::Slides, args[2]);
    if (!result.ok)
        return fail(QStringLiteral("pdf: ") + result.error);
    out() << "slides\t" << result.slides << "\tpages\t" << result.pages << Qt::endl;
    return kOk;
}

int blocks(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("blocks needs FILE"));
    std::unique_ptr<Stream> stream = openStream(args[0], OpenMode::Read);
    if (!stream)
        return fail(args[0] + QStringLiteral(": cannot open"));
    bool complete = false;
    for (const BlockInfo &block : indexBlocks(*stream, 0, &complete))
        out() << block.offset << '\t' << block.length << '\n';
    out().flush();
    if (!complete)
        return fail(args[0] + QStringLiteral(": corrupt block after the whole ones"));
    return kOk;
}

} // namespace tool
