// "Pytania do tematu...": the bank window for the framework topic selected in
// the topic library, over the data folder's one database.
#pragma once

#include <QObject>

class QWidget;

namespace marbelo {
namespace db {
class DatabaseSession;
}
class CommandFrame;
class Messages;
class TopicSource;
}

namespace marbelo::exam {

class QuestionBankCommand : public QObject
{
    Q_OBJECT
public:
    // dialogOwner: the window the bank window opens over.
    QuestionBankCommand(db::DatabaseSession &session, Messages &messages, CommandFrame &frame,
                        const TopicSource &topics, QWidget *dialogOwner);

public slots:
    void editQuestions();

private:
    db::DatabaseSession &m_session;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TopicSource &m_topics;
    QWidget *m_dialogOwner;
};

} // namespace marbelo::exam
