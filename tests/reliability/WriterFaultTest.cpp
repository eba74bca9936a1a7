// Every writer of the data files run against a file-size limit at each byte
// count of a small case: each file ends exactly as before or exactly as after,
// nothing is left behind, and every failure is reported.

#include "presentation/Compose.h"
#include "trainings/OutlineTree.h"
#include "store/SlideFile.h"
#include "store/Catalogue.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/DataLocation.h"
#include "store/Outline.h"
#include "store/ProgrammeFile.h"
#include "store/Records.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QByteArray pattern(int size, char first)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(first + i * 7);
    return bytes;
}

class WriterFaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FileSizeLimit::isSupported())
            GTEST_SKIP() << "this platform has no per-process file-size limit";
    }

    QString file(const QString &name) const { return dir.file(name); }

    TempDataDir dir;
};

} // namespace

TEST_F(WriterFaultTest, TrainingRecordAppend)
{
    const QByteArray before = trainingRecordBytes(QStringLiteral("Wstępne"), 0) + trainingRecordBytes(QStringLiteral("Okresowe"), 3);
    const TrainingRecord added{QStringLiteral("Szkolenie stanowiskowe żurawi"), 5, 0};
    expectSoundMatrix({QStringLiteral("training record append"), dir.path(),
                 {{file(kCatalogueName), before, before + trainingRecordBytes(added.name, added.type)}},
                 [&] { return appendTrainingRecord(dir.path(), added) == 2; }});
}

TEST_F(WriterFaultTest, TrainingRecordAppendOverAPartialRecord)
{
    // A record cut short by someone else is written over; on failure its bytes come back.
    const QByteArray whole = trainingRecordBytes(QStringLiteral("Wstępne"), 0);
    const QByteArray before = whole + pattern(50, 'p');
    const TrainingRecord added{QStringLiteral("Nowe"), 1, 0};
    expectSoundMatrix({QStringLiteral("training record append over a partial record"), dir.path(),
                 {{file(kCatalogueName), before, whole + trainingRecordBytes(added.name, added.type)}},
                 [&] { return appendTrainingRecord(dir.path(), added) == 1; }});
}

TEST_F(WriterFaultTest, TrainingRecordRewriteInPlace)
{
    const QByteArray a = trainingRecordBytes(QStringLiteral("A"), 0), b = trainingRecordBytes(QStringLiteral("B"), 1),
                     c = trainingRecordBytes(QStringLiteral("C"), 2);
    const TrainingRecord renamed{QStringLiteral("Bardzo długa nowa nazwa szkolenia okresowego"), 4, 0};
    expectSoundMatrix({QStringLiteral("training record rewrite"), dir.path(),
                 {{file(kCatalogueName), a + b + c, a + trainingRecordBytes(renamed.name, renamed.type) + c}},
                 [&] { return rewriteTrainingRecord(dir.path(), 1, renamed); }});
}

TEST_F(WriterFaultTest, TrainingRecordRestoredByUndoAndRedo)
{
    // Undo puts a record's old bytes back in place (here: name bytes past the
    // name that a canonical writer would have cleared), redo appends a record
    // taken back.
    const QByteArray a = trainingRecordBytes(QStringLiteral("A"), 0);
    QByteArray old = trainingRecordBytes(QStringLiteral("B"), 1);
    old[100] = 'x';
    const QByteArray deleted = trainingRecordBytes(QStringLiteral("B"), 1, -1);
    RecordBytes restored{};
    std::copy(old.begin(), old.end(), restored.begin());
    expectSoundMatrix({QStringLiteral("training record restored (undo)"), dir.path(),
                 {{file(kCatalogueName), a + deleted, a + old}},
                 [&] { return restoreTrainingRecord(dir.path(), 1, restored); }});
    expectSoundMatrix({QStringLiteral("training record restored at the end (redo of a new training)"), dir.path(),
                 {{file(kCatalogueName), a, a + old}},
                 [&] { return restoreTrainingRecord(dir.path(), 1, restored); }});
}

TEST_F(WriterFaultTest, TrainingDeletionMark)
{
    const QByteArray a = trainingRecordBytes(QStringLiteral("A"), 0), b = trainingRecordBytes(QStringLiteral("B"), 1);
    expectSoundMatrix({QStringLiteral("training deletion mark"), dir.path(),
                 {{file(kCatalogueName), a + b, a + trainingRecordBytes(QStringLiteral("B"), 1, -1)}},
                 [&] { return markTrainingDeleted(dir.path(), 1); }});
}

TEST_F(WriterFaultTest, OutlineSaveGrowingAndShrinking)
{
    const std::vector<OutlineRecord> small{{QStringLiteral("Rozdział"), 0, kHeadingFlag},
                                           {QStringLiteral("Sekcja"), 1, 0}};
    const std::vector<OutlineRecord> large{{QStringLiteral("Rozdział"), 0, kHeadingFlag},
                                           {QStringLiteral("Sekcja"), 1, 0},
                                           {QStringLiteral("Temat"), 2, 4},
                                           {QStringLiteral("Rozdział 2"), 0, kHeadingFlag}};
    const QString path = file(outlineFileName(1));
    QString error;
    expectSoundMatrix({QStringLiteral("outline save (2 to 4 items)"), dir.path(),
                 {{path, outlineBytes(small), outlineBytes(large)}},
                 [&] { return saveOutline(path, large, &error); }});
    // Shrinking writes a smaller new file: every limit below its size fails.
    expectSoundMatrix({QStringLiteral("outline save (4 to 2 items)"), dir.path(),
                 {{path, outlineBytes(large), outlineBytes(small)}},
                 [&] { return saveOutline(path, small, &error); }});
}

TEST_F(WriterFaultTest, OutlineSavedWithItsProgrammeFile)
{
    // The outline is written first, then the hours and form beside it; a
    // failure of either is reported and leaves each file old or new.
    const std::vector<OutlineRecord> before{{QStringLiteral("Rozdział"), 0, kHeadingFlag, PlannedHours{8, 0}},
                                            {QStringLiteral("Sekcja"), 1, 0}};
    std::vector<OutlineRecord> after = before;
    after[1].hours = PlannedHours{2, 1};
    after.push_back({QStringLiteral("Rozdział 2"), 0, kHeadingFlag, PlannedHours{4, 4}});
    const QString path = file(outlineFileName(2));
    const auto programme = [](const std::vector<OutlineRecord> &records) {
        ProgrammeData data;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].hours) {
                QStringList names{records[i].name};
                if (records[i].level == 1)
                    names.prepend(records[0].name);
                data.entries.push_back({static_cast<int>(i), *records[i].hours, names});
            }
        }
        return programmeBytes(data);
    };
    QString error;
    expectSoundMatrix({QStringLiteral("outline with its programme file"), dir.path(),
                       {{path, outlineBytes(before), outlineBytes(after)},
                        {programmePathFor(path), programme(before), programme(after)}},
                       [&] { return OutlineTree::fromRecords(after).save(path, &error); }});
}

TEST_F(WriterFaultTest, ImageStoreAppend)
{
    const QString path = file(imageStoreFileName(0));
    const QByteArray slide = BCodeToStr(makeJpeg(12, 9));
    // The first block of an empty store comes with the magic.
    expectSoundMatrix({QStringLiteral("image store append (empty store)"), dir.path(),
                 {{path, QByteArray(), kImageStoreMagic + blockBytes(slide)}},
                 [&] { return appendSlideBlock(path, slide) == 4; }});
    const QByteArray store = kImageStoreMagic + blockBytes(pattern(300, 's'));
    expectSoundMatrix({QStringLiteral("image store append"), dir.path(),
                 {{path, store, store + blockBytes(slide)}},
                 [&] { return appendSlideBlock(path, slide) == store.size(); }});
}

TEST_F(WriterFaultTest, PresentationComposition)
{
    writeFile(file(kCatalogueName), trainingRecordBytes(QStringLiteral("Szkolenie"), 1));
    const QByteArray front = blockBytes(pattern(40, 'a')) + blockBytes(pattern(60, 'b'));
    writeFile(file(kFrontPageName), front);
    const QByteArray one = pattern(200, 'x'), two = pattern(150, 'y');
    writeFile(file(imageStoreFileName(0)), kImageStoreMagic + blockBytes(one) + blockBytes(two));
    const std::vector<ItemReference> references{kHeadingFlag, 4, 0, static_cast<ItemReference>(8 + one.size())};
    const QByteArray composed = blockBytes(pattern(60, 'b')) + blockBytes(one) + blockBytes(two);
    const QString out = file(QStringLiteral("Szkolenie.pnn"));
    TrainingRecord record;
    const auto compose = [&] { return composePresentation(dir.path(), 0, references, &record, out).ok; };
    expectSoundMatrix({QStringLiteral("presentation composition (new file)"), dir.path(), {{out, std::nullopt, composed}},
                 compose});
    expectSoundMatrix({QStringLiteral("presentation composition (over an older file)"), dir.path(),
                 {{out, pattern(900, 'o'), composed}}, compose});
}

TEST_F(WriterFaultTest, FileCopy)
{
    const QString source = file(QStringLiteral("Data0000.pdl"));
    const QString destination = file(QStringLiteral("Data0001.pdl"));
    const QByteArray small = pattern(1000, 'c');
    writeFile(source, small);
    const auto copy = [&] { return CopyDataFile(source, destination) == 0; };
    expectSoundMatrix({QStringLiteral("file copy (new file)"), dir.path(), {{destination, std::nullopt, small}}, copy});
    expectSoundMatrix({QStringLiteral("file copy (over an older file)"), dir.path(),
                 {{destination, pattern(3000, 'd'), small}}, copy});

    // Three chunks: every byte count around the chunk edges and a stride between.
    const QByteArray large = pattern(2 * 16384 + 500, 'l');
    writeFile(source, large);
    std::vector<qint64> limits;
    for (qint64 limit = 0; limit <= large.size(); limit += 509)
        limits.push_back(limit);
    for (qint64 edge : {qint64(16384), qint64(2 * 16384), qint64(large.size())}) {
        for (qint64 limit = edge - 3; limit <= edge + 3; ++limit) {
            if (limit <= large.size())
                limits.push_back(limit);
        }
    }
    expectSoundMatrix({QStringLiteral("file copy (three chunks, around the chunk edges)"), dir.path(),
                 {{destination, std::nullopt, large}}, copy},
                limits);
}

TEST_F(WriterFaultTest, SlidePassedThroughViewJpg)
{
    // View.jpg is made, read back and deleted: at no point may it stay behind
    // or a partial picture come back.
    const QByteArray jpeg = makeJpeg(20, 15);
    const QString path = file(kViewJpgName);
    expectSoundMatrix({QStringLiteral("View.jpg pass-through"), dir.path(), {{path, std::nullopt, std::nullopt}},
                 [&] {
                     QByteArray back;
                     const bool passed = passThroughFile(path, BCodeToStr(jpeg), &back);
                     EXPECT_EQ(back, passed ? jpeg : QByteArray());
                     return passed;
                 }},
                [&] {
                    std::vector<qint64> limits;
                    for (qint64 limit = 0; limit < jpeg.size(); ++limit)
                        limits.push_back(limit);
                    return limits;
                }());
}

TEST_F(WriterFaultTest, EmptyCatalogueOfAnInstalledFirstStart)
{
    // The catalogue is empty: no size limit can cut it, so every point must
    // leave it whole (or, had the write failed, absent and reported).
    const DataLocation location = DataLocation::installed(dir.path(), dir.path(), dir.path());
    const FaultRow row = runFaultMatrix({QStringLiteral("empty catalogue of a first installed start"), dir.path(),
                                         {{file(kCatalogueName), std::nullopt, QByteArray()}},
                                         [&] { return location.prepare(nullptr); }});
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(row.whole, row.points) << row.summary().toStdString();
}
