#include "exam/ui/QuestionBankWindow.h"

#include "exam/ui/QuestionForm.h"
#include "store/components/Messages.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace marbelo::exam {

namespace {
constexpr int kBankWindowHelp = 4140;
}

QuestionBankWindow::QuestionBankWindow(QWidget *owner, db::Database &database, Messages &messages, const QString &topic,
                                       const QStringList &details)
    : QelDialog(owner, QStringLiteral("Pytania do tematu: %1").arg(topic), kBankWindowHelp, QSize(640, 420)),
      m_database(database), m_messages(messages), m_topic(topic), m_details(details), m_history(database)
{
    auto *layout = new QHBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("QelQuestionsList"));
    m_list->setAccessibleName(QStringLiteral("Pytania do tematu"));
    m_list->setWordWrap(true);
    layout->addWidget(m_list, 1);
    auto *buttons = new QVBoxLayout;
    const auto button = [&](const char *name, const QString &text, void (QuestionBankWindow::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("QelQuestionsNewButton", QStringLiteral("Nowe..."), &QuestionBankWindow::newQuestion);
    m_change = button("QelQuestionsChangeButton", QStringLiteral("Popraw..."), &QuestionBankWindow::changeQuestion);
    m_remove = button("QelQuestionsRemoveButton", QStringLiteral("Usuń"), &QuestionBankWindow::removeSelected);
    m_undo = button("QelQuestionsUndoButton", QStringLiteral("Cofnij"), &QuestionBankWindow::undo);
    m_redo = button("QelQuestionsRedoButton", QStringLiteral("Ponów"), &QuestionBankWindow::redo);
    buttons->addStretch();
    auto *close = new QPushButton(QStringLiteral("Zamknij"), this);
    close->setObjectName(QStringLiteral("QelQuestionsCloseButton"));
    connect(close, &QPushButton::clicked, this, &QuestionBankWindow::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcut(QKeySequence::Redo);
    connect(m_list, &QListWidget::currentRowChanged, this, &QuestionBankWindow::refreshButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QuestionBankWindow::changeQuestion);
    reload();
    finishLayout();
}

void QuestionBankWindow::reload(qint64 select)
{
    m_list->clear();
    for (const BankQuestion &entry : listQuestions(m_database, m_topic)) {
        QString line = entry.question.text;
        if (!entry.question.detail.isEmpty())
            line += QStringLiteral("  [%1]").arg(entry.question.detail);
        auto *item = new QListWidgetItem(line, m_list);
        item->setData(Qt::UserRole, entry.id);
        if (entry.id == select)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    refreshButtons();
}

void QuestionBankWindow::refreshButtons()
{
    m_change->setEnabled(selectedId() != 0);
    m_remove->setEnabled(selectedId() != 0);
    m_undo->setEnabled(m_history.canUndo());
    m_redo->setEnabled(m_history.canRedo());
}

qint64 QuestionBankWindow::selectedId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

std::optional<Question> QuestionBankWindow::askQuestion(const Question &question)
{
    QuestionForm form(this, m_topic, m_details);
    form.setQuestion(question);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.question();
}

void QuestionBankWindow::newQuestion()
{
    const auto question = askQuestion(Question{m_topic, {}, {}, {}, {}, 0});
    if (!question)
        return;
    QString error;
    qint64 id = 0;
    if (!m_history.add(*question, &error, &id))
        m_messages.inform(error);
    reload(id);
}

void QuestionBankWindow::changeQuestion()
{
    const qint64 id = selectedId();
    const auto current = readQuestion(m_database, id);
    if (!current)
        return;
    const auto question = askQuestion(*current);
    if (!question)
        return;
    QString error;
    if (!m_history.update(id, *question, &error))
        m_messages.inform(error);
    reload(id);
}

void QuestionBankWindow::removeSelected()
{
    const qint64 id = selectedId();
    if (id == 0 || !m_messages.confirm(QStringLiteral("Usunąć wybrane pytanie z banku?"), DefaultAnswer::No))
        return;
    QString error;
    if (!m_history.remove(id, &error))
        m_messages.inform(error);
    reload();
}

void QuestionBankWindow::undo()
{
    QString error;
    if (m_history.canUndo() && !m_history.undo(&error))
        m_messages.inform(error);
    reload(selectedId());
}

void QuestionBankWindow::redo()
{
    QString error;
    if (m_history.canRedo() && !m_history.redo(&error))
        m_messages.inform(error);
    reload(selectedId());
}

} // namespace marbelo::exam
