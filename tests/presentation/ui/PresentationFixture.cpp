#include "PresentationFixture.h"

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"

#include <QDir>
#include <QFileInfo>

using namespace marbelo;

namespace testing_support {

void PresentationTest::SetUp()
{
    // Each test composes in its own temporary directory.
    m_oldTmp = qgetenv("TMPDIR");
    QDir(dir.path()).mkdir(QStringLiteral("tmp"));
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    qputenv("TMPDIR", dir.file("tmp").toLocal8Bit());

    front = codedSlide(0xCC2020);
    slideA = codedSlide(0x20CC20);
    slideB = codedSlide(0x2020CC);
    QByteArray fronts;
    for (int t = 0; t < kTrainingTypeCount; ++t)
        fronts += blockBytes(t == 2 ? front : codedSlide(0x808080));
    writeFile(dir.file(kFrontPageName), fronts);
    writeFile(dir.file("TarvixView.exe"), "viewer program");
    writeFile(dir.file("Autorun.inf"), "[autorun]\nopen=Start.exe\n");

    ASSERT_EQ(appendTrainingRecord(dir.path(), {QStringLiteral("Szkolenie"), 2, 0}), 0);
    ASSERT_TRUE(createTrainingFiles(dir.path(), 0));
    const QString store = dir.file(imageStoreFileName(0));
    const ItemReference b = appendSlideBlock(store, slideB).value_or(0);
    const ItemReference a = appendSlideBlock(store, slideA).value_or(0);
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)),
                            {{QStringLiteral("Rozdział"), 0, kHeadingFlag},
                             {QStringLiteral("Temat A"), 1, a},
                             {QStringLiteral("Sekcja"), 0, 0},
                             {QStringLiteral("Temat B"), 1, b}},
                            &error));
}

void PresentationTest::TearDown()
{
    MainWindowTest::TearDown();
    if (m_oldTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_oldTmp);
}

QByteArray PresentationTest::codedSlide(unsigned rgb)
{
    return BCodeToStr(makeJpeg(64, 48, rgb));
}

QByteArray PresentationTest::expectedPresentation() const
{
    return blockBytes(front) + blockBytes(slideA) + blockBytes(slideB);
}

QString PresentationTest::workFile() const
{
    // The run's own folder while a run goes on; the name a shared work file
    // had otherwise, which no run writes.
    const QDir temp(temporaryDir());
    for (const QString &folder : temp.entryList({QStringLiteral("marbelo-*")}, QDir::Dirs | QDir::Hidden)) {
        if (QFileInfo::exists(temp.filePath(folder + QLatin1Char('/') + kPresentationWorkName)))
            return temp.filePath(folder + QLatin1Char('/') + kPresentationWorkName);
    }
    return temporaryDir() + kPresentationWorkName;
}

} // namespace testing_support
