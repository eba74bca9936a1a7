// "Pytania do tematu": the bank's questions of one framework topic, with
// new, change, remove, undo and redo. Every change is saved at once; the
// window's history lasts while it is open.
#pragma once

#include "common/ui/QelDialog.h"
#include "exam/QuestionHistory.h"

class QListWidget;
class QPushButton;

namespace marbelo {
class Messages;
}

namespace marbelo::exam {

class QuestionBankWindow : public QelDialog
{
    Q_OBJECT
public:
    QuestionBankWindow(QWidget *owner, db::Database &database, Messages &messages, const QString &topic,
                       const QStringList &details);

    QListWidget *list() const { return m_list; }

public slots:
    void newQuestion();
    void changeQuestion();
    void removeSelected();
    void undo();
    void redo();

private:
    void reload(qint64 select = 0);
    void refreshButtons();
    qint64 selectedId() const;
    // The form, filled from question; the question entered, or none.
    std::optional<Question> askQuestion(const Question &question);

    db::Database &m_database;
    Messages &m_messages;
    QString m_topic;
    QStringList m_details;
    QuestionHistory m_history;
    QListWidget *m_list;
    QPushButton *m_change;
    QPushButton *m_remove;
    QPushButton *m_undo;
    QPushButton *m_redo;
};

} // namespace marbelo::exam
