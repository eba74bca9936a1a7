// trainings / outline: the catalogue and one training's outline, read by the
// same code as the program.

#include "Tool.h"

#include "common/PolishOrder.h"
#include "trainings/OutlineTree.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace marbelo;

namespace tool {

namespace {

bool dataDirArgument(const QString &arg, QString *dir)
{
    *dir = QDir::fromNativeSeparators(arg);
    if (!dir->endsWith(QLatin1Char('/')))
        *dir += QLatin1Char('/');
    return QFileInfo(*dir).isDir();
}

} // namespace

int trainings(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("trainings needs DATADIR"));
    QString dir;
    if (!dataDirArgument(args[0], &dir))
        return fail(args[0] + QStringLiteral(": not a directory"));
    std::vector<CatalogueEntry> entries;
    if (!readCatalogue(dir, &entries))
        return fail(dir + kCatalogueName + QStringLiteral(": cannot be opened"));
    std::vector<CatalogueEntry> live;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(live),
                 [](const CatalogueEntry &e) { return e.record.isLive(); });
    // The list's order: by name with Polish collation, equal names in file order.
    std::stable_sort(live.begin(), live.end(), [](const CatalogueEntry &a, const CatalogueEntry &b) {
        return polishLess(a.record.name, b.record.name);
    });
    for (const CatalogueEntry &e : live)
        out() << e.number << '\t' << e.record.type << '\t' << e.record.name << '\n';
    return kOk;
}

int outline(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("outline needs DATADIR and NUMBER"));
    QString dir;
    if (!dataDirArgument(args[0], &dir))
        return fail(args[0] + QStringLiteral(": not a directory"));
    bool ok = false;
    const int number = args[1].toInt(&ok);
    if (!ok || number < 0)
        return usage(QStringLiteral("NUMBER must be a training number"));
    // A missing outline is an empty one, as in the program.
    for (const OutlineRecord &r : OutlineTree::load(dir + outlineFileName(number)).records())
        out() << r.level << '\t' << hexReference(r.reference) << '\t' << r.name << '\n';
    return kOk;
}

} // namespace tool
