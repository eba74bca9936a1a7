#include "exam/ui/QuestionForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace marbelo::exam {

namespace {
constexpr int kQuestionFormHelp = 4150;
}

QuestionForm::QuestionForm(QWidget *owner, const QString &topic, const QStringList &details)
    : QelDialog(owner, QStringLiteral("Pytanie"), kQuestionFormHelp, QSize(520, 400)), m_topic(topic)
{
    auto *layout = new QVBoxLayout(this);
    auto *textLabel = new QLabel(QStringLiteral("Treść pytania:"), this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("QelQuestionText"));
    m_text->setAccessibleName(textLabel->text());
    layout->addWidget(textLabel);
    layout->addWidget(m_text);
    m_detail = new QComboBox(this);
    m_detail->setObjectName(QStringLiteral("QelQuestionDetail"));
    m_detail->setAccessibleName(QStringLiteral("Temat szczegółowy"));
    m_detail->addItem(QStringLiteral("(cały temat ramowy)"), QString());
    for (const QString &detail : details)
        m_detail->addItem(detail, detail);
    layout->addWidget(new QLabel(QStringLiteral("Temat szczegółowy:"), this));
    layout->addWidget(m_detail);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Dobra"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Odpowiedzi (czwarta nieobowiązkowa):"), this), 0, 1);
    for (int i = 0; i < kMaxAnswers; ++i) {
        m_right[i] = new QRadioButton(QString(answerLetter(i)), this);
        m_right[i]->setObjectName(QStringLiteral("QelQuestionRight%1").arg(answerLetter(i)));
        m_answers[i] = new QLineEdit(this);
        m_answers[i]->setObjectName(QStringLiteral("QelQuestionAnswer%1").arg(answerLetter(i)));
        m_answers[i]->setAccessibleName(QStringLiteral("Odpowiedź %1").arg(answerLetter(i)));
        grid->addWidget(m_right[i], i + 1, 0);
        grid->addWidget(m_answers[i], i + 1, 1);
    }
    m_right[0]->setChecked(true);
    layout->addLayout(grid);
    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QuestionForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QuestionForm::reject);
    layout->addWidget(buttons);
    finishLayout();
}

void QuestionForm::setQuestion(const Question &question)
{
    m_text->setPlainText(question.text);
    const int detail = m_detail->findData(question.detail);
    if (detail < 0 && !question.detail.isEmpty())
        m_detail->addItem(question.detail, question.detail);
    m_detail->setCurrentIndex(std::max(0, m_detail->findData(question.detail)));
    for (int i = 0; i < kMaxAnswers; ++i)
        m_answers[i]->setText(question.answers.value(i));
    if (question.right >= 0 && question.right < kMaxAnswers)
        m_right[question.right]->setChecked(true);
}

Question QuestionForm::question() const
{
    Question question;
    question.topic = m_topic;
    question.detail = m_detail->currentData().toString();
    question.text = m_text->toPlainText().trimmed();
    for (int i = 0; i < kMaxAnswers; ++i) {
        // A blank fourth answer means three answers.
        if (i == kMaxAnswers - 1 && m_answers[i]->text().trimmed().isEmpty() && !m_right[i]->isChecked())
            break;
        question.answers << m_answers[i]->text().trimmed();
        if (m_right[i]->isChecked())
            question.right = i;
    }
    return question;
}

void QuestionForm::accept()
{
    const QString problem = questionProblem(question());
    if (!problem.isEmpty()) {
        m_problem->setText(problem);
        return;
    }
    QelDialog::accept();
}

} // namespace marbelo::exam
