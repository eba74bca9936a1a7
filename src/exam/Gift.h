// The bank in GIFT, the text format learning platforms exchange questions in,
// UTF-8. Read: the multiple-choice subset (::title::, = right, ~ wrong,
// // comments, the escapes \~ \= \# \{ \} \: \\ \n, answer feedback after #
// dropped; the format markers [html], [plain], [markdown] and [moodle] before
// a text or an answer, an answer without one taking the text's, HTML turned
// into plain text), "$CATEGORY: topic" or "$CATEGORY: topic/detailed topic" for the
// questions that follow ("//" in a name is one slash). A question of another
// kind, or one breaking the bank's rules, is reported with its line and
// skipped whole.
#pragma once

#include "exam/Question.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace marbelo::exam {

struct GiftProblem
{
    int line = 0; // 1-based line where the question starts
    QString message;
};

struct GiftContents
{
    std::vector<Question> questions;
    std::vector<GiftProblem> problems;
    // How many of the questions read had HTML tags or character references.
    int markupQuestions = 0;
    // Set when the bytes are not UTF-8 text: nothing is read at all.
    QString error;
};

GiftContents readGift(const QByteArray &bytes);
// The questions in the order given, a $CATEGORY line before each change of
// topic or detailed topic.
QByteArray giftBytes(const std::vector<Question> &questions);

} // namespace marbelo::exam
