// Times the topic search over a large library: about 100,000 detailed topics
// in 50 framework topics, with a phrase found only in the very last node of
// the last line ("end") and one found nowhere ("nowhere").
// Usage: bench_search                      builds a library in a temporary
//                                          directory and times both searches
//        bench_search make DIR             writes the library into DIR
//        bench_search find DIR end|nowhere one search of the library in DIR

#include "store/Cp1250.h"
#include "store/TopicFile.h"
#include "topics/ModuleLibrary.h"
#include "topics/TopicSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

using namespace marbelo;

namespace {

constexpr int kFiles = 50;
constexpr int kTopicsPerFile = 2000;
const QString kEndPhrase = QStringLiteral("znacznik końcowy");
const QString kNowherePhrase = QStringLiteral("żadnego takiego zwrotu");

QByteArray cp1250(const QString &text)
{
    QByteArray out;
    encodeCp1250(text, &out);
    return out;
}

// Three levels of detailed topics with Polish names; every tenth one has a
// small slide block that the reader skips.
bool makeLibrary(const QString &dir)
{
    const QByteArray slide(2048, '\x5a');
    const char *const depths[] = {"0", "1", "2", "2", "1"};
    for (int f = 0; f < kFiles; ++f) {
        std::vector<TopicRecordSource> records;
        records.reserve(kTopicsPerFile);
        for (int t = 0; t < kTopicsPerFile; ++t) {
            QString name = QStringLiteral("Zasady bezpiecznej pracy przy urządzeniach, część %1.%2").arg(f).arg(t);
            if (f == kFiles - 1 && t == kTopicsPerFile - 1)
                name = QStringLiteral("Ostatni temat: ZNACZNIK KOŃCOWY");
            const bool hasSlide = t % 10 == 0;
            records.push_back({cp1250(name), depths[t % 5], t % 5 == 0 ? "1" : "0", hasSlide ? "1" : "0",
                               hasSlide ? slide : QByteArray()});
        }
        const QString title = QStringLiteral("Temat ramowy %1 – szkolenie okresowe").arg(f, 3, 10, QLatin1Char('0'));
        QFile file(dir + QStringLiteral("/%1.mdl").arg(f, 3, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(buildTopicFile(cp1250(title), records)) < 0)
            return false;
    }
    return true;
}

std::vector<SearchLine> libraryLines(const QString &dataDir)
{
    std::vector<SearchLine> lines;
    for (const ModuleEntry &entry : sortedByTitle(discoverModules(dataDir)))
        lines.push_back({entry.title, entry.fileName});
    return lines;
}

// One search; prints the hit and the time it took inside the process.
bool timeSearch(const QString &dataDir, const QString &phrase)
{
    const std::vector<SearchLine> lines = libraryLines(dataDir);
    QElapsedTimer timer;
    timer.start();
    const SearchHit hit = findInLibrary(dataDir, lines, phrase.toUpper());
    const qint64 ms = timer.elapsed();
    std::printf("'%s': %s line %d node %d, %lld ms over %zu lines\n", phrase.toUtf8().constData(),
                hit.found ? "found at" : "not found,", hit.line, hit.node, static_cast<long long>(ms), lines.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "make") == 0) {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        return makeLibrary(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "find") == 0) {
        const QString dir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath() + QLatin1Char('/');
        const bool end = std::strcmp(argv[3], "end") == 0;
        return timeSearch(dir, end ? kEndPhrase : kNowherePhrase) ? 0 : 1;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: bench_search [make DIR | find DIR end|nowhere]\n");
        return 2;
    }
    QTemporaryDir temp;
    if (!temp.isValid() || !makeLibrary(temp.path()))
        return 1;
    const QString dir = temp.path() + QLatin1Char('/');
    return timeSearch(dir, kEndPhrase) && timeSearch(dir, kNowherePhrase) ? 0 : 1;
}
