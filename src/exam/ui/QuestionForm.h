// "Pytanie": the question's text, its detailed topic, three or four answers
// and the right one. OK keeps the dialog open while the question breaks the
// bank's rules, saying why.
#pragma once

#include "common/ui/QelDialog.h"
#include "exam/Question.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace marbelo::exam {

class QuestionForm : public QelDialog
{
    Q_OBJECT
public:
    // details: the names of the topic's detailed topics.
    QuestionForm(QWidget *owner, const QString &topic, const QStringList &details);
    void setQuestion(const Question &question);
    Question question() const;

    void accept() override;

private:
    QString m_topic;
    QPlainTextEdit *m_text;
    QComboBox *m_detail;
    QLineEdit *m_answers[kMaxAnswers];
    QRadioButton *m_right[kMaxAnswers];
    QLabel *m_problem;
};

} // namespace marbelo::exam
