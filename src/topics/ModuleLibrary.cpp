#include "topics/ModuleLibrary.h"

#include "common/PolishOrder.h"
#include "store/TopicFile.h"

#include <QDirIterator>

#include <algorithm>

namespace marbelo {

namespace {

void discoverIn(const QString &dataDir, int &next, std::vector<ModuleEntry> &entries)
{
    QDirIterator it(dataDir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive))
            continue;
        QString title;
        if (!readTopicTitle(dataDir + name, &title))
            continue;
        entries.push_back({name, next++, title, dataDir});
    }
}

} // namespace

std::vector<ModuleEntry> discoverModules(const QString &dataDir)
{
    return discoverModules(QStringList{dataDir});
}

std::vector<ModuleEntry> discoverModules(const QStringList &dirs)
{
    std::vector<ModuleEntry> entries;
    int next = 0;
    for (const QString &dir : dirs)
        discoverIn(dir, next, entries);
    return entries;
}

std::vector<ModuleEntry> sortedByTitle(std::vector<ModuleEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ModuleEntry &a, const ModuleEntry &b) { return polishLess(a.title, b.title); });
    return entries;
}

} // namespace marbelo
