// library build / dump / list, front build, extract.

#include "Tool.h"

#include "presentation/DecodedSlides.h"
#include "store/Cp1250.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/TopicFile.h"
#include "store/WholeFile.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"
#include "topics/ModuleLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace marbelo;

namespace tool {

namespace {

bool readWholeFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// Windows-1250 bytes of a text; refuses text the code page cannot hold.
bool cp1250(const QString &text, QByteArray *bytes, QString *error, const QString &where)
{
    if (encodeCp1250(text, bytes))
        return true;
    *error = where + QStringLiteral(": text that Windows-1250 cannot hold: ") + text;
    return false;
}

} // namespace

int libraryBuild(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("library build needs SOURCE and OUT.mdl"));
    const QString sourcePath = args[0];
    QByteArray source;
    QString error;
    if (!readWholeFile(sourcePath, &source, &error))
        return fail(error);
    const QDir base = QFileInfo(sourcePath).absoluteDir();
    const QStringList lines = QString::fromUtf8(source).split(QLatin1Char('\n'));
    if (lines.isEmpty() || lines[0].trimmed().isEmpty())
        return fail(sourcePath + QStringLiteral(":1: missing title"));

    QByteArray title;
    if (!cp1250(QString(lines[0]).remove(QLatin1Char('\r')), &title, &error, sourcePath + QStringLiteral(":1")))
        return fail(error);
    std::vector<TopicRecordSource> records;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = QString(lines[i]).remove(QLatin1Char('\r'));
        const QString where = sourcePath + QLatin1Char(':') + QString::number(i + 1);
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 4 && fields.size() != 5)
            return fail(where + QStringLiteral(": expected DEPTH, HEADING, SLIDE, NAME[, JPEG]"));
        TopicRecordSource record;
        if (!cp1250(fields[0], &record.depth, &error, where) || !cp1250(fields[1], &record.heading, &error, where)
            || !cp1250(fields[2], &record.slide, &error, where) || !cp1250(fields[3], &record.name, &error, where))
            return fail(error);
        if (record.slide != "0") {
            if (fields.size() != 5)
                return fail(where + QStringLiteral(": a slide mark other than 0 needs a JPEG"));
            if (!readWholeFile(base.filePath(fields[4]), &record.jpeg, &error))
                return fail(where + QStringLiteral(": ") + error);
        } else if (fields.size() == 5) {
            return fail(where + QStringLiteral(": slide mark 0 takes no JPEG"));
        }
        records.push_back(std::move(record));
    }
    if (!writeWholeFile(args[1], buildTopicFile(title, records), &error))
        return fail(error);
    return kOk;
}

int libraryDump(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("library dump needs FILE.mdl"));
    TopicFile file;
    if (!readTopicFile(args[0], &file))
        return fail(args[0] + QStringLiteral(": cannot be read as a topic file"));
    out() << file.title << '\n';
    for (int node : file.tree.preorder()) {
        const TopicNode &n = file.nodes[static_cast<size_t>(node)];
        out() << file.tree.depth[static_cast<size_t>(node)] << '\t' << hexReference(n.reference) << '\t'
              << n.name << '\n';
    }
    if (!file.complete)
        return fail(args[0] + QStringLiteral(": corrupt record; reading stopped at the last whole record"));
    return kOk;
}

int libraryList(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("library list needs DATADIR"));
    QString dir = QDir::fromNativeSeparators(args[0]);
    if (!QFileInfo(dir).isDir())
        return fail(dir + QStringLiteral(": not a directory"));
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    for (const ModuleEntry &e : sortedByTitle(discoverModules(dir)))
        out() << e.runningIndex << '\t' << e.fileName << '\t' << e.title << '\n';
    return kOk;
}

int frontBuild(const QStringList &args)
{
    if (args.size() < 2)
        return usage(QStringLiteral("front build needs OUT.fdl and at least one JPEG"));
    QByteArray bytes;
    QString error;
    for (int i = 1; i < args.size(); ++i) {
        QByteArray jpeg;
        if (!readWholeFile(args[i], &jpeg, &error))
            return fail(error);
        bytes += blockBytes(BCodeToStr(jpeg));
    }
    if (!writeWholeFile(args[0], bytes, &error))
        return fail(error);
    return kOk;
}

int extract(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("extract needs FILE and DIR"));
    const QString path = args[0];
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    if (!stream)
        return fail(path + QStringLiteral(": cannot be opened"));

    // Offsets of the slide blocks to extract, in order.
    std::vector<std::int32_t> offsets;
    bool complete = true;
    if (path.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) {
        TopicFile file;
        if (!readTopicFile(path, &file))
            return fail(path + QStringLiteral(": cannot be read as a topic file"));
        complete = file.complete;
        for (const TopicNode &n : file.nodes) {
            if (hasSlide(n.reference))
                offsets.push_back(static_cast<std::int32_t>(slideOffset(n.reference)));
        }
    } else {
        // An image store starts with its magic; other block files with a length.
        QByteArray head;
        const std::int32_t start = stream->readExactly(&head, 4) && head == kImageStoreMagic ? 4 : 0;
        for (const BlockInfo &b : indexBlocks(*stream, start, &complete))
            offsets.push_back(b.offset);
    }

    if (!QDir().mkpath(args[1]))
        return fail(args[1] + QStringLiteral(": cannot be created"));
    QString error;
    if (!writeDecodedSlides(*stream, offsets, args[1], QStringLiteral("slide-"), &error))
        return fail(error.startsWith(QLatin1String("corrupt")) ? path + QStringLiteral(": ") + error : error);
    if (!complete)
        return fail(path + QStringLiteral(": corrupt block; extraction stopped at the last whole block"));
    return kOk;
}

} // namespace tool
