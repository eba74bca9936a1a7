// "Pytania do tematu...": the bank window for the framework topic selected in
// the list, over the database of the data folder. The demo questions go into
// the bank the first time the database is opened with them at hand.

#include "topics/ui/TopicLibraryPane.h"

#include "common/ui/PaneWidgets.h"
#include "exam/QuestionBank.h"
#include "exam/ui/QuestionBankWindow.h"
#include "store/TopicFile.h"
#include "store/components/Messages.h"
#include "store/db/Database.h"


namespace marbelo {

void TopicLibraryPane::editQuestions()
{
    const QString path = selectedModuleFile();
    TopicFile file;
    if (path.isEmpty() || !readTopicFile(path, &file))
        return;
    const CommandsDisabled disabled(m_frame);
    db::Database database(db::Database::pathIn(m_dataDir));
    QString error;
    if (!database.open(&error)) {
        m_messages.inform(error);
        return;
    }
    if (!exam::importDemoQuestionsFrom(database, m_libraryDirs, &error))
        m_messages.inform(error);
    QStringList details;
    for (const TopicNode &node : file.nodes)
        details << node.name.trimmed();
    exam::QuestionBankWindow window(m_dialogOwner, database, m_messages, file.title.trimmed(), details);
    window.exec();
}

} // namespace marbelo
