// "Zmień nazwę tematu" and "Usuń temat" on the trainer's own framework topics;
// the vendor's topic files are never changed.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/components/Messages.h"
#include "topics/OwnTopics.h"
#include "topics/ui/TopicTitleForm.h"

#include <QFileInfo>

namespace marbelo {

bool TQelMainForm::selectedModuleIsOwn() const
{
    const QString path = selectedModuleFile();
    return !path.isEmpty() && isOwnTopicFileName(QFileInfo(path).fileName());
}

// "Zmień nazwę tematu"
void TQelMainForm::QelModulesRenameMenuItemClick()
{
    if (!selectedModuleIsOwn())
        return;
    DisableCommands();
    const QString path = selectedModuleFile();
    QString title;
    {
        TopicTitleForm form(this, TopicTitleForm::Rename);
        form.setTitle(QelModuleListBox->selectedItems().first()->text());
        if (form.exec() == QDialog::Accepted)
            title = form.title();
    }
    if (!title.isEmpty()) {
        QString error;
        if (renameTopicFile(path, title, &error))
            reloadModuleList(QFileInfo(path).fileName());
        else
            m_messages.InformationMessage(error, 1, 0, 0);
    }
    EnableCommands();
    RefreshCommands();
}

// "Usuń temat"
void TQelMainForm::QelModulesDeleteMenuItemClick()
{
    if (!selectedModuleIsOwn())
        return;
    DisableCommands();
    const QString path = selectedModuleFile();
    const int row = QelModuleListBox->currentRow();
    const QString question =
        QStringLiteral("Czy jesteś pewien że chcesz usunąć temat „%1” ?").arg(QelModuleListBox->selectedItems().first()->text());
    if (m_messages.Confirmation2Message(question, 3, 0, 1) == kAnswerYes) {
        QString error;
        if (deleteTopicFile(path, &error))
            reloadModuleList(QString(), row);
        else
            m_messages.InformationMessage(error, 1, 0, 0);
    }
    EnableCommands();
    RefreshCommands();
}

} // namespace marbelo
