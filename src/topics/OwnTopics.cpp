#include "topics/OwnTopics.h"

#include "store/Cp1250.h"
#include "store/Records.h"
#include "store/TargetFiles.h"
#include "store/TopicFile.h"
#include "store/WholeFile.h"
#include "store/components/Coding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace marbelo {

namespace {

const QString kOwnPrefix = QStringLiteral("Własne ");

QString quoted(const QString &path)
{
    return QStringLiteral("„%1”").arg(QFileInfo(path).fileName());
}

// Windows-1250 bytes of a name, cut to what a record holds; characters
// without a byte become "?".
QByteArray storedName(const QString &name)
{
    QString text = singleLineName(name).left(kMaxNameLength);
    for (QChar &c : text) {
        if (!canEncodeCp1250(QString(c)))
            c = u'?';
    }
    QByteArray bytes;
    encodeCp1250(text, &bytes);
    return bytes;
}

// The title as one line (control characters become spaces); an empty one is refused.
bool encodeTitle(const QString &title, QByteArray *bytes, QString *error)
{
    const QString line = singleLineName(title);
    if (line.trimmed().isEmpty()) {
        *error = QStringLiteral("Tytuł tematu nie może być pusty.");
        return false;
    }
    if (line.size() > kMaxNameLength || !encodeCp1250(line, bytes)) {
        *error = QStringLiteral("Tytuł tematu może mieć najwyżej 128 znaków z polskiej strony kodowej Windows-1250.");
        return false;
    }
    return true;
}

} // namespace

bool isOwnTopicFileName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^Własne [0-9]{3,}\\.mdl$"));
    return pattern.match(fileName).hasMatch();
}

QString nextOwnTopicFileName(const QString &dataDir)
{
    const QDir dir(dataDir);
    for (int n = 1;; ++n) {
        const QString name = kOwnPrefix + QStringLiteral("%1.mdl").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(dir.filePath(name)) && !isLink(dir.filePath(name)))
            return name;
    }
}

bool ownTopicBytes(const QString &title, const std::vector<ImportedSlide> &slides, QByteArray *bytes,
                   QString *error)
{
    QByteArray titleBytes;
    if (!encodeTitle(title, &titleBytes, error))
        return false;
    std::vector<TopicRecordSource> records;
    records.reserve(slides.size());
    for (const ImportedSlide &slide : slides)
        records.push_back(slide.heading
                              ? TopicRecordSource{storedName(slide.name), QByteArray::number(slide.depth), "1", "0", {}}
                              : TopicRecordSource{storedName(slide.name), QByteArray::number(slide.depth), "0", "1",
                                                  slide.jpeg});
    *bytes = buildTopicFile(titleBytes, records);
    return true;
}

bool saveTopicFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeWholeFile(path, bytes, error);
}

ImportResult importedTopicBytes(const QString &title, const QStringList &files, const ImportProgress &progress,
                                QByteArray *bytes)
{
    QByteArray titleBytes;
    QString error;
    if (!encodeTitle(title, &titleBytes, &error))
        return ImportResult::failed(error);
    std::vector<ImportedSlide> slides;
    const ImportResult result = readSlides(files, &slides, progress);
    if (result.ok() && !ownTopicBytes(title, slides, bytes, &error))
        return ImportResult::failed(error);
    return result;
}

ImportResult importTopicFile(const QString &path, const QString &title, const QStringList &files,
                             const ImportProgress &progress)
{
    QByteArray bytes;
    const ImportResult result = importedTopicBytes(title, files, progress, &bytes);
    QString error;
    if (result.ok() && !saveTopicFile(path, bytes, &error))
        return ImportResult::failed(error);
    return result;
}

ImportResult importOwnTopic(const QString &dataDir, const QString &title, const QStringList &files,
                            const ImportProgress &progress, QString *fileName)
{
    QByteArray bytes;
    const ImportResult result = importedTopicBytes(title, files, progress, &bytes);
    if (!result.ok())
        return result;
    return saveOwnTopic(dataDir, bytes, fileName);
}

ImportResult saveOwnTopic(const QString &dataDir, const QByteArray &bytes, QString *fileName)
{
    // The name is taken once the slides are ready, just before the file is
    // written, so that nothing else in the data directory can take it meanwhile.
    const QString name = nextOwnTopicFileName(dataDir);
    QString error;
    if (!saveTopicFile(QDir(dataDir).filePath(name), bytes, &error))
        return ImportResult::failed(error);
    *fileName = name;
    return {};
}

bool renameTopicFile(const QString &path, const QString &title, QString *error)
{
    QByteArray titleBytes;
    if (!encodeTitle(title, &titleBytes, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Nie można odczytać pliku %1: %2.").arg(quoted(path), file.errorString());
        return false;
    }
    const QByteArray old = file.readAll();
    file.close();
    // The old title field: its length, then that many bytes, within the file.
    const qint64 length = old.size() >= 4 ? getInt32(reinterpret_cast<const unsigned char *>(old.constData())) : -1;
    if (length < 0 || length > old.size() - 4) {
        *error = QStringLiteral("Plik %1 nie jest poprawnym plikiem tematu.").arg(quoted(path));
        return false;
    }
    const QByteArray renamed = int32Bytes(static_cast<std::int32_t>(titleBytes.size())) + BCodeToStr(titleBytes)
                               + old.mid(4 + length);
    return saveTopicFile(path, renamed, error);
}

bool deleteTopicFile(const QString &path, QString *error)
{
    QFile file(path);
    if (file.remove())
        return true;
    *error = QStringLiteral("Nie można usunąć pliku %1: %2.").arg(quoted(path), file.errorString());
    return false;
}

} // namespace marbelo
