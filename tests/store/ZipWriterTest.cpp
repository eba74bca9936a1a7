// The zip writer read back by Python's zipfile (CRC and sizes checked by
// testzip), and refused writes told.

#include "store/ZipWriter.h"
#include "support/Fixtures.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

struct ZipCase
{
    const char *what;
    QString name;
    QByteArray data;
    ZipWriter::Method method;
    int storedMethod; // what the reader finds: 0 stored, 8 deflated
};

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

std::vector<ZipCase> zipCases()
{
    return {
        {"empty", QStringLiteral("pusty.txt"), QByteArray(), ZipWriter::Method::Deflate, 0},
        {"text deflated", QStringLiteral("index.html"), QByteArray("<p>Zażółć gęślą jaźń</p>\n").repeated(500),
         ZipWriter::Method::Deflate, 8},
        {"noise stays stored", QStringLiteral("szum.bin"), randomBytes(70000), ZipWriter::Method::Deflate, 0},
        {"stored", QStringLiteral("slajdy/0001.jpg"), randomBytes(1000), ZipWriter::Method::Store, 0},
        {"Polish name", QStringLiteral("słowa/żółw.txt"), QByteArray("ąę"), ZipWriter::Method::Store, 0},
    };
}

// Every entry as python's zipfile reads it: name, method, size and the
// bytes' SHA-256; testzip's verdict first.
QString pythonListing(const QString &zip)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import hashlib, sys, zipfile\n"
                                 "z = zipfile.ZipFile(sys.argv[1])\n"
                                 "print(z.testzip())\n"
                                 "for i in z.infolist():\n"
                                 "    print(i.filename, i.compress_type, i.file_size,"
                                 " hashlib.sha256(z.read(i)).hexdigest())\n"),
                  zip});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput());
}

TEST(ZipWriterTest, ReferenceReadersReadEveryEntry)
{
    TempDataDir dir;
    const QString path = dir.file(QStringLiteral("test.zip"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ZipWriter zip(file, QDateTime(QDate(2026, 3, 1), QTime(12, 30, 10)));
    QString expected = QStringLiteral("None\n");
    for (const ZipCase &c : zipCases()) {
        ASSERT_TRUE(zip.add(c.name, c.data, c.method)) << c.what;
        expected += QStringLiteral("%1 %2 %3 %4\n")
                        .arg(c.name)
                        .arg(c.storedMethod)
                        .arg(c.data.size())
                        .arg(QString::fromLatin1(QCryptographicHash::hash(c.data, QCryptographicHash::Sha256).toHex()));
    }
    ASSERT_TRUE(zip.finish());
    file.close();
    EXPECT_EQ(zip.written(), QFileInfo(path).size());
    EXPECT_EQ(pythonListing(path), expected);
}

TEST(ZipWriterTest, RefusedWritesAreTold)
{
    // A device that takes no byte, and entries a zip without zip64 cannot hold.
    QBuffer closed;
    ZipWriter refused(closed);
    EXPECT_FALSE(refused.add(QStringLiteral("a.txt"), "a", ZipWriter::Method::Store));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ZipWriter zip(buffer);
    EXPECT_FALSE(zip.add(QString(), "a", ZipWriter::Method::Store));
    EXPECT_FALSE(zip.add(QString(70000, QLatin1Char('a')), "a", ZipWriter::Method::Store));
    EXPECT_EQ(buffer.size(), 0);
}

} // namespace
