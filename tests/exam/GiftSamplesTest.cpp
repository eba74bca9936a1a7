// Real GIFT banks of learning platforms: the single-choice questions that
// gift-pegjs, the reference reader, finds in a bank (its HTML made plain text
// the same way) are exactly the questions we import, and our export of them
// reads back in gift-pegjs as the same questions.

#include "exam/Gift.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <optional>

#include <gtest/gtest.h>

namespace marbelo::exam {

// A question in a failure's message.
void PrintTo(const Question &q, std::ostream *os)
{
    *os << '\n' << q.title.toStdString() << " | " << q.text.toStdString() << " | " << q.right << " of "
        << q.answers.join(QStringLiteral(" | ")).toStdString();
}

} // namespace marbelo::exam

using namespace marbelo::exam;

namespace {

const QString kSamples = QStringLiteral(MARBELO_SAMPLES_DIR "/gift/");
const QString kTopic = QStringLiteral("Próbka");

// The questions as both readers can tell them: one topic, and a run of blanks
// inside a text as one (gift-pegjs folds it, we keep it as written).
std::vector<Question> comparable(std::vector<Question> questions)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    for (Question &q : questions) {
        q.topic = kTopic, q.detail.clear();
        for (QString *text : {&q.title, &q.text})
            text->replace(blanks, QStringLiteral(" "));
        for (QString &answer : q.answers)
            answer.replace(blanks, QStringLiteral(" "));
    }
    return questions;
}

// gift-pegjs's single-choice questions of the bank at path that a bank may
// hold (three or four distinct answers); nothing when it is not UTF-8.
std::optional<std::vector<Question>> referenceRead(const QString &path)
{
    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral(MARBELO_SOURCE_DIR "/tests/exam/gift_reference.js"), path});
    EXPECT_TRUE(node.waitForFinished(60000) && node.exitCode() == 0) << node.readAllStandardError().toStdString();
    const QJsonObject read = QJsonDocument::fromJson(node.readAllStandardOutput()).object();
    if (!read.contains(QStringLiteral("questions"))) {
        EXPECT_TRUE(read.value(QStringLiteral("notUtf8")).toBool()) << path.toStdString();
        return std::nullopt;
    }
    std::vector<Question> questions;
    for (const QJsonValue &value : read.value(QStringLiteral("questions")).toArray()) {
        const QJsonObject q = value.toObject();
        Question question{kTopic, {}, q[QStringLiteral("title")].toString(), q[QStringLiteral("text")].toString(), {},
                          q[QStringLiteral("right")].toInt()};
        for (const QJsonValue &answer : q[QStringLiteral("answers")].toArray())
            question.answers << answer.toString();
        if (questionProblem(question).isEmpty())
            questions.push_back(question);
    }
    return comparable(questions);
}

// Our reading of a bank, which gets a $CATEGORY line at its start (after a
// byte-order mark) for the banks that have none.
GiftContents ourRead(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QByteArray bytes = file.readAll();
    bytes.insert(bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0, (QStringLiteral("$CATEGORY: ") + kTopic + u'\n').toUtf8());
    return readGift(bytes);
}

struct Bank
{
    const char *files; // a file name or a wildcard under the samples' gift/ folder
    int count;         // how many files it names
};

// The banks gift-pegjs reads whole. Left out: moodle/questions.gift and
// other/pmbok_ru.gift (kept unused beside the samples), other/pmbok_ru_3c80e5d.gift
// (gift-pegjs stops at a colon in a text) and the gl02 files that use embedded
// answers, which gift-pegjs does not read.
const Bank kBanks[] = {
    {"pegjs/*.gift", 51},
    {"moodle/examples.gift", 1},
    {"moodle/questions_in_category.gift", 1},
    {"derived/bhp_pl.gift", 1},
    {"derived/bhp_pl_bom_crlf.gift", 1},
    {"derived/bhp_pl_cp1250.gift", 1},
    {"gl02/EM-U42-Ultimate.gift", 1},
    {"gl02/EM-U5-p35-Gra-Subject_verb_agreement.gift", 1},
    {"gl02/EM-U6-p46_47-4.gift", 1},
    {"gl02/U1-p8_9-Reading-Coachella.gift", 1},
    {"gl02/U11-p114-Mixed_conditionals.gift", 1},
    {"gl02/U3-p32-Gra-Present_perfect_simple_vs_continuous.gift", 1},
    {"gl02/U5-p49-GR1-Expressions_of_quantity.gift", 1},
    {"gl02/U5-p57-Review.gift", 1},
    {"gl02/U7-p79-Review-3.gift", 1},
    {"gl02/U9-p94-Listening.gift", 1},
};

class GiftSamples : public ::testing::TestWithParam<Bank>
{
};

TEST_P(GiftSamples, ImportsWhatTheReferenceReadsAndExportsItBack)
{
    const QFileInfo pattern(kSamples + QString::fromUtf8(GetParam().files));
    const QFileInfoList files = QDir(pattern.path()).entryInfoList({pattern.fileName()}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), GetParam().count) << "samples not readable in " << kSamples.toStdString();
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    for (const QFileInfo &file : files) {
        SCOPED_TRACE(file.fileName().toStdString());
        const std::optional<std::vector<Question>> reference = referenceRead(file.filePath());
        const GiftContents ours = ourRead(file.filePath());
        EXPECT_EQ(ours.error.isEmpty(), reference.has_value());
        EXPECT_EQ(comparable(ours.questions), reference.value_or(std::vector<Question>{}));
        if (ours.questions.empty())
            continue; // gift-pegjs refuses an empty file
        QFile exported(temporary.filePath(file.fileName()));
        ASSERT_TRUE(exported.open(QIODevice::WriteOnly));
        exported.write(giftBytes(ours.questions));
        exported.close();
        EXPECT_EQ(referenceRead(exported.fileName()), comparable(ours.questions));
    }
}

INSTANTIATE_TEST_SUITE_P(Banks, GiftSamples, ::testing::ValuesIn(kBanks), [](const auto &info) {
    std::string name = info.param.files;
    for (char &c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

} // namespace
