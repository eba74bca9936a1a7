// A question of the exam bank: single choice, three or four answers, exactly
// one right. It belongs to a framework topic named by the topic's title (so
// it survives the library's files being renamed or reordered) and, when
// given, to one of that topic's detailed topics, by its name.
#pragma once

#include <QString>
#include <QStringList>

namespace marbelo::exam {

constexpr int kMinAnswers = 3;
constexpr int kMaxAnswers = 4;

struct Question
{
    QString topic;  // the framework topic's title
    QString detail; // a detailed topic's name, or empty
    QString title;  // a short name of the question, or empty
    QString text;
    QStringList answers;
    int right = 0; // index into answers

    friend bool operator==(const Question &, const Question &) = default;
};

// Why the question cannot be kept (a Polish message), or an empty text.
QString questionProblem(const Question &question);

// The letter of answer index i: 'A', 'B', ...
inline QChar answerLetter(int index)
{
    return QChar(u'A' + index);
}

} // namespace marbelo::exam
