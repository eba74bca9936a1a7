// Fixtures written in code: temporary data directories, files of given bytes,
// topic files and small JPEG pictures.
#pragma once

#include "store/Records.h"
#include "store/TopicFile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace testing_support {

// A fresh temporary data directory; path() ends with a separator.
class TempDataDir
{
public:
    TempDataDir();
    QString path() const { return m_path; }
    QString file(const QString &name) const { return m_path + name; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
bool fileExists(const QString &path);

// A small real JPEG of the given size and colour.
QByteArray makeJpeg(int width, int height, unsigned rgb = 0x3366CC);

// One detailed-topic record: depth, heading, slide mark and name as plain text;
// a JPEG is attached when the slide mark is not "0".
marbelo::TopicRecordSource topicRecord(const QByteArray &depth, const QByteArray &heading,
                                       const QByteArray &slide, const QString &name,
                                       const QByteArray &jpeg = QByteArray());

// Writes a topic file with the title and records.
void writeTopicFile(const QString &path, const QString &title,
                    const std::vector<marbelo::TopicRecordSource> &records);

// The 137 bytes of a training record, and of a run of outline records, as
// the writers must store them.
QByteArray trainingRecordBytes(const QString &name, int type, int deleted = 0);
QByteArray outlineBytes(const std::vector<marbelo::OutlineRecord> &records);

// Windows-1250 bytes of a text (the text must be encodable).
QByteArray cp1250(const QString &text);

} // namespace testing_support
