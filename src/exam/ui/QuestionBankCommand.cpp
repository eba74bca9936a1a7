#include "exam/ui/QuestionBankCommand.h"

#include "common/ui/PaneInterfaces.h"
#include "exam/ui/QuestionBankWindow.h"
#include "store/TopicFile.h"
#include "store/components/Messages.h"
#include "store/db/DatabaseSession.h"

#include <QWidget>

namespace marbelo::exam {

QuestionBankCommand::QuestionBankCommand(db::DatabaseSession &session, Messages &messages, CommandFrame &frame,
                                         const TopicSource &topics, QWidget *dialogOwner)
    : QObject(dialogOwner), m_session(session), m_messages(messages), m_frame(frame), m_topics(topics),
      m_dialogOwner(dialogOwner)
{
}

void QuestionBankCommand::editQuestions()
{
    const QString path = m_topics.selectedModuleFile();
    TopicFile file;
    if (path.isEmpty() || !readTopicFile(path, &file))
        return;
    const CommandsDisabled disabled(m_frame);
    db::Database *database = m_session.openTelling(m_messages);
    if (!database)
        return;
    QStringList details;
    for (const TopicNode &node : file.nodes)
        details << node.name.trimmed();
    QuestionBankWindow window(m_dialogOwner, *database, m_messages, file.title.trimmed(), details);
    window.exec();
}

} // namespace marbelo::exam
