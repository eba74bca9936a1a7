// The GIFT reader on any bytes: either a refusal with nothing read, or
// questions that each keep the bank's rules and problems on lines that exist;
// the questions written again read back the same, with no problem.

#include "FuzzSupport.h"

#include "exam/Gift.h"

using namespace marbelo::exam;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const GiftContents contents = readGift(bytes);
    if (!contents.error.isEmpty()) {
        FUZZ_CHECK(contents.questions.empty() && contents.problems.empty());
        return 0;
    }
    const int lineCount = static_cast<int>(bytes.count('\n')) + 1;
    for (const Question &question : contents.questions)
        FUZZ_CHECK(questionProblem(question).isEmpty());
    for (const GiftProblem &problem : contents.problems)
        FUZZ_CHECK(problem.line >= 1 && problem.line <= lineCount && !problem.message.isEmpty());
    const GiftContents again = readGift(giftBytes(contents.questions));
    FUZZ_CHECK(again.error.isEmpty() && again.problems.empty());
    FUZZ_CHECK(again.questions == contents.questions);
    return 0;
}
