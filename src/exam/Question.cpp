#include "exam/Question.h"

namespace marbelo::exam {

QString questionProblem(const Question &question)
{
    if (question.topic.trimmed().isEmpty())
        return QStringLiteral("Pytanie nie ma tematu ramowego.");
    if (question.text.trimmed().isEmpty())
        return QStringLiteral("Pytanie nie ma treści.");
    const auto count = question.answers.size();
    if (count < kMinAnswers || count > kMaxAnswers)
        return QStringLiteral("Pytanie ma %1 odpowiedzi, a powinno mieć 3 lub 4.").arg(count);
    if (question.right < 0 || question.right >= count)
        return QStringLiteral("Pytanie nie ma wskazanej dobrej odpowiedzi.");
    for (qsizetype i = 0; i < count; ++i) {
        if (question.answers[i].trimmed().isEmpty())
            return QStringLiteral("Odpowiedź %1 jest pusta.").arg(answerLetter(int(i)));
        for (qsizetype j = 0; j < i; ++j) {
            if (question.answers[j].trimmed() == question.answers[i].trimmed())
                return QStringLiteral("Odpowiedzi %1 i %2 są takie same.")
                    .arg(answerLetter(int(j)))
                    .arg(answerLetter(int(i)));
        }
    }
    return {};
}

} // namespace marbelo::exam
