// The draw of a test and the scoring of its sheets: the same draw number
// gives the same test, every variant holds the same questions in its own
// order, shares follow the planned hours, a small bank is refused, and the
// letters typed for a sheet score by the sheet's own key.

#include "exam/Draw.h"
#include "exam/DrawNumbers.h"
#include "exam/Scoring.h"
#include "courses/Results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace marbelo;
using namespace marbelo::exam;

namespace {

DrawTopic topicOf(int quarters, int questions, qint64 firstId, int answers = 4)
{
    DrawTopic topic;
    topic.quarters = quarters;
    for (int i = 0; i < questions; ++i)
        topic.questions << DrawQuestion{firstId + i, answers - (i % 2)};
    return topic;
}

TEST(DrawNumbers, FollowTheSpecifiedSequence)
{
    // splitmix64's published first outputs from 0 and from 1234567.
    DrawNumbers zero(0);
    EXPECT_EQ(zero.next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(zero.next(), 0x6E789E6AA1B965F4ULL);
    DrawNumbers other(1234567);
    EXPECT_EQ(other.next(), 6457827717110365317ULL);
    EXPECT_EQ(other.next(), 3203168211198807973ULL);
}

struct ShareCase
{
    const char *name;
    std::vector<DrawTopic> topics;
    int count;
    QList<int> shares;
};

class TopicShareTest : public ::testing::TestWithParam<ShareCase>
{
};

TEST_P(TopicShareTest, FollowHoursWithinWhatTopicsHold)
{
    const ShareCase &row = GetParam();
    EXPECT_EQ(topicShares(row.topics, row.count), row.shares);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TopicShareTest,
    ::testing::Values(
        ShareCase{"no_hours_equal", {topicOf(0, 20, 1), topicOf(0, 20, 100), topicOf(0, 20, 200)}, 15, {5, 5, 5}},
        ShareCase{"hours_in_proportion", {topicOf(8, 20, 1), topicOf(4, 20, 100), topicOf(4, 20, 200)}, 16, {8, 4, 4}},
        ShareCase{"largest_remainder", {topicOf(4, 20, 1), topicOf(8, 20, 100), topicOf(8, 20, 200)}, 6, {1, 3, 2}},
        ShareCase{"tie_to_the_earlier", {topicOf(4, 20, 1), topicOf(4, 20, 100)}, 5, {3, 2}},
        ShareCase{"unset_weighs_as_average", {topicOf(8, 20, 1), topicOf(0, 20, 100), topicOf(4, 20, 200)}, 12, {5, 4, 3}},
        ShareCase{"full_topic_passes_on", {topicOf(40, 2, 1), topicOf(4, 20, 100), topicOf(4, 20, 200)}, 10, {2, 4, 4}},
        ShareCase{"empty_topic_gets_none", {topicOf(4, 0, 1), topicOf(4, 5, 100)}, 5, {0, 5}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DrawTest, SameNumberSameTestAndVariantsHoldTheSameQuestions)
{
    const std::vector<DrawTopic> topics = {topicOf(4, 10, 1), topicOf(8, 12, 100), topicOf(0, 7, 200)};
    std::vector<Variant> first;
    std::vector<Variant> again;
    std::vector<Variant> other;
    QString error;
    ASSERT_TRUE(drawTest(topics, 15, 3, 42, &first, &error));
    ASSERT_TRUE(drawTest(topics, 15, 3, 42, &again, &error));
    ASSERT_TRUE(drawTest(topics, 15, 3, 43, &other, &error));
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    ASSERT_EQ(first.size(), 3u);

    std::multiset<qint64> questionsOfA;
    for (const VariantQuestion &q : first[0])
        questionsOfA.insert(q.question);
    EXPECT_EQ(questionsOfA.size(), 15u);
    EXPECT_EQ(std::set<qint64>(questionsOfA.begin(), questionsOfA.end()).size(), 15u);
    for (const Variant &variant : first) {
        std::multiset<qint64> questions;
        for (const VariantQuestion &q : variant) {
            questions.insert(q.question);
            QList<int> sorted = q.answerOrder;
            std::sort(sorted.begin(), sorted.end());
            const int answers = q.question % 2 == (q.question >= 100 ? 0 : 1) ? 4 : 3;
            ASSERT_EQ(sorted.size(), answers) << q.question;
            for (int i = 0; i < sorted.size(); ++i)
                EXPECT_EQ(sorted[i], i);
        }
        EXPECT_EQ(questions, questionsOfA);
    }
    EXPECT_NE(first[0], first[1]);
}

TEST(DrawTest, RefusesASmallBankAndNumbersOutOfRange)
{
    std::vector<Variant> variants;
    QString error;
    EXPECT_FALSE(drawTest({topicOf(4, 6, 1), topicOf(4, 6, 100)}, 13, 2, 1, &variants, &error));
    EXPECT_TRUE(error.contains(QLatin1String("12"))) << error.toStdString();
    EXPECT_TRUE(variants.empty());
    EXPECT_FALSE(drawTest({topicOf(4, 6, 1)}, 0, 2, 1, &variants, &error));
    EXPECT_FALSE(drawTest({topicOf(4, 6, 1)}, 3, 0, 1, &variants, &error));
    EXPECT_FALSE(drawTest({topicOf(4, 6, 1)}, 3, kMaxVariantCount + 1, 1, &variants, &error));
    EXPECT_TRUE(drawTest({topicOf(4, 6, 1), topicOf(4, 6, 100)}, 12, 2, 1, &variants, &error));
}

struct ScoreCase
{
    const char *name;
    const char *letters;
    int points; // -1: refused
};

class ScoringTest : public ::testing::TestWithParam<ScoreCase>
{
};

TEST_P(ScoringTest, ScoresBySheetKey)
{
    // Rights A, C, B, D; the second question shows three answers.
    const QList<KeyQuestion> key = {{0, 4}, {2, 3}, {1, 4}, {3, 4}};
    const ScoreCase &row = GetParam();
    int points = -1;
    QString error;
    const bool scored = scoreLetters(key, QString::fromUtf8(row.letters), &points, &error);
    EXPECT_EQ(scored ? points : -1, row.points);
    EXPECT_EQ(scored, error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ScoringTest,
                         ::testing::Values(ScoreCase{"all_right", "ACBD", 4}, ScoreCase{"lower_case_spaces", "a c b d", 4},
                                           ScoreCase{"all_wrong", "BADC", 0}, ScoreCase{"empty_marks", "A-.D", 2},
                                           ScoreCase{"doubled_mark", "XCXD", 2}, ScoreCase{"too_short", "ACB", -1},
                                           ScoreCase{"too_long", "ACBDA", -1}, ScoreCase{"letter_not_on_sheet", "ADBD", -1},
                                           ScoreCase{"not_a_letter", "AC?D", -1}, ScoreCase{"polish_letter", "ĄCBD", -1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ScoringTest, PassMarkIsPercentOfQuestions)
{
    EXPECT_TRUE(passes(9, 15, 60));
    EXPECT_FALSE(passes(8, 15, 60));
    EXPECT_TRUE(passes(6, 10, 60));
    EXPECT_FALSE(passes(0, 0, 60));
    EXPECT_EQ(percentOf(8, 15), 53);
}

} // namespace
