// The draw of a test: how many questions each topic gives (in proportion to
// its planned hours), which ones, and per variant the order of the questions
// and of each question's answers. Everything follows from the draw number.
#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace marbelo::exam {

constexpr int kDefaultQuestionCount = 15;
constexpr int kDefaultVariantCount = 2;
constexpr int kMaxVariantCount = 10;

struct DrawQuestion
{
    qint64 id = 0;
    int answers = 0;
};

struct DrawTopic
{
    int quarters = 0; // planned time, 0 when not set
    QList<DrawQuestion> questions;
};

struct VariantQuestion
{
    qint64 question = 0;
    QList<int> answerOrder; // answerOrder[k]: the answer printed as letter k
    friend bool operator==(const VariantQuestion &, const VariantQuestion &) = default;
};

using Variant = QList<VariantQuestion>;

// How many questions each topic gives to a test of count questions: shares
// of count by weight, whole numbers by the largest remainder (ties to the
// earlier topic), never more than a topic holds; what a full topic cannot
// give goes to the others by the same rule. The weight is the planned time;
// when some topics have it and others not, those without weigh as the
// average of the others; when none has it, all weigh the same. The caller
// makes sure the topics hold count questions together.
QList<int> topicShares(const std::vector<DrawTopic> &topics, int count);

// Draws count questions in variantCount variants. False with a Polish
// message when the topics hold fewer than count questions or the numbers are
// out of range; nothing is padded.
bool drawTest(const std::vector<DrawTopic> &topics, int count, int variantCount, std::uint64_t number,
              std::vector<Variant> *variants, QString *error);

inline QChar variantLetter(int index)
{
    return QChar(u'A' + index);
}

} // namespace marbelo::exam
