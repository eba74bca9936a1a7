#include "support/Fixtures.h"

#include "store/Cp1250.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace testing_support {

TempDataDir::TempDataDir() : m_dir(std::make_unique<QTemporaryDir>())
{
    EXPECT_TRUE(m_dir->isValid());
    m_path = m_dir->path() + QLatin1Char('/');
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

QByteArray makeJpeg(int width, int height, unsigned rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    // A diagonal stripe, so that scaled decodes differ from a flat fill.
    for (int i = 0; i < std::min(width, height); ++i)
        image.setPixel(i, i, 0xFFFFFF);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG", 90));
    return bytes;
}

QByteArray trainingRecordBytes(const QString &name, int type, int deleted)
{
    marbelo::RecordBytes bytes;
    EXPECT_TRUE(marbelo::packTrainingRecord({name, type, deleted}, &bytes));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), marbelo::kRecordSize);
}

QByteArray outlineBytes(const std::vector<marbelo::OutlineRecord> &records)
{
    QByteArray out;
    marbelo::RecordBytes bytes;
    for (const marbelo::OutlineRecord &record : records) {
        EXPECT_TRUE(marbelo::packOutlineRecord(record, &bytes));
        out += QByteArray(reinterpret_cast<const char *>(bytes.data()), marbelo::kRecordSize);
    }
    return out;
}

QByteArray cp1250(const QString &text)
{
    QByteArray bytes;
    EXPECT_TRUE(marbelo::encodeCp1250(text, &bytes));
    return bytes;
}

marbelo::TopicRecordSource topicRecord(const QByteArray &depth, const QByteArray &heading,
                                       const QByteArray &slide, const QString &name, const QByteArray &jpeg)
{
    marbelo::TopicRecordSource r;
    r.depth = depth;
    r.heading = heading;
    r.slide = slide;
    r.name = cp1250(name);
    r.jpeg = jpeg;
    return r;
}

void writeTopicFile(const QString &path, const QString &title,
                    const std::vector<marbelo::TopicRecordSource> &records)
{
    writeFile(path, marbelo::buildTopicFile(cp1250(title), records));
}

} // namespace testing_support
