// The programme file Plan####.pdl: its byte layout, and what a reader makes
// of foreign, cut-off and hostile bytes.

#include "store/ProgrammeFile.h"
#include "support/Fixtures.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace marbelo;

namespace {

ProgrammeData sample()
{
    ProgrammeData data;
    data.form = TrainingForm::Instruction;
    data.entries = {{0, {8, 0}, {QStringLiteral("Rozdział")}},
                    {2, {2, 1}, {QStringLiteral("Rozdział"), QStringLiteral("Dział ż")}}};
    return data;
}

} // namespace

TEST(ProgrammeFile, ByteLayout)
{
    const QByteArray expected = QByteArray("MPLN\x01\x00\x03\x00\x02\x00\x00\x00", 12)
                                + QByteArray("\x00\x00\x00\x00\x08\x00\x00\x00\x01\x00\x09\x00", 12)
                                + QByteArray("Rozdzia\xc5\x82")
                                + QByteArray("\x02\x00\x00\x00\x02\x00\x01\x00\x02\x00\x09\x00", 12)
                                + QByteArray("Rozdzia\xc5\x82") + QByteArray("\x09\x00", 2)
                                + QByteArray("Dzia\xc5\x82 \xc5\xbc");
    EXPECT_EQ(programmeBytes(sample()).toHex().toStdString(), expected.toHex().toStdString());
    ProgrammeData back;
    ASSERT_TRUE(parseProgramme(expected, &back));
    EXPECT_EQ(back, sample());
    EXPECT_EQ(programmePathFor(QStringLiteral("/d/Tree0012.pdl")), QStringLiteral("/d/Plan0012.pdl"));
    EXPECT_EQ(programmePathFor(QStringLiteral("/d/x.pdl")), QStringLiteral("/d/x.pdl.plan"));
}

TEST(ProgrammeFile, ForeignCutOffAndHostileBytes)
{
    const QByteArray whole = programmeBytes(sample());
    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool read;
        std::size_t entries;
        TrainingForm form;
    };
    QByteArray hugeCount = whole;
    hugeCount.replace(8, 4, QByteArray("\xff\xff\xff\xff", 4));
    QByteArray longName = whole;
    longName.replace(22, 2, QByteArray("\xff\xff", 2)); // the first name runs past the end
    QByteArray oddForm = whole;
    oddForm[6] = '\x09';
    const Case cases[] = {
        {"empty", QByteArray(), false, 0, TrainingForm::Course},
        {"another start", QByteArray("MPLX") + whole.mid(4), false, 0, TrainingForm::Course},
        {"a later version", whole.left(4) + QByteArray("\x02\x00", 2) + whole.mid(6), false, 0, TrainingForm::Course},
        {"the header only", whole.left(12), true, 0, TrainingForm::Instruction},
        {"cut in the second entry", whole.left(whole.size() - 3), true, 1, TrainingForm::Instruction},
        {"a count far beyond the bytes", hugeCount, true, 2, TrainingForm::Instruction},
        {"a name longer than the file", longName, true, 0, TrainingForm::Instruction},
        {"a form out of range", oddForm, true, 2, TrainingForm::Course},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgrammeData data;
        EXPECT_EQ(parseProgramme(c.bytes, &data), c.read);
        EXPECT_EQ(data.entries.size(), c.entries);
        EXPECT_EQ(data.form, c.form);
    }
}

TEST(ProgrammeFile, SavedWholeAndReadBack)
{
    testing_support::TempDataDir dir;
    const QString path = dir.file(QStringLiteral("Plan0000.pdl"));
    ProgrammeData data;
    EXPECT_FALSE(readProgrammeFile(path, &data)); // missing: an empty programme
    EXPECT_TRUE(data.isEmpty());
    QString error;
    ASSERT_TRUE(saveProgrammeFile(path, sample(), &error)) << error.toStdString();
    ASSERT_TRUE(readProgrammeFile(path, &data));
    EXPECT_EQ(data, sample());
}
