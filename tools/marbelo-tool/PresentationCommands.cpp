// compose, blocks: presentation files.

#include "Tool.h"

#include "presentation/Compose.h"
#include "presentation/OutlineTree.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Stream.h"

#include <QDir>

using namespace marbelo;

namespace tool {

int compose(const QStringList &args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("compose needs DATADIR, NUMBER and OUT.pnn"));
    bool isNumber = false;
    const int number = args[1].toInt(&isNumber);
    if (!isNumber || number < 0)
        return usage(QStringLiteral("compose: NUMBER must be a training number"));
    QString dataDir = QDir::fromNativeSeparators(args[0]);
    if (!dataDir.endsWith(QLatin1Char('/')))
        dataDir += QLatin1Char('/');

    // The outline's pre-order, as the window composes it; a missing outline
    // is an empty one.
    const std::vector<ItemReference> references = OutlineTree::load(dataDir + outlineFileName(number)).references();
    TrainingRecord training;
    const ComposeResult result = composePresentation(dataDir, number, references, &training, args[2]);
    if (!result.ok)
        return fail(QStringLiteral("compose: ") + result.error);
    out() << "slides\t" << result.slides() << "\tbytes\t" << result.bytes << Qt::endl;
    return kOk;
}

int blocks(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("blocks needs FILE"));
    std::unique_ptr<Stream> stream;
    if (!OpenStream(stream, args[0], kOpenRead, 1))
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
