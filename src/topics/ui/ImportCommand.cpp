// "Importuj slajdy...": PDF decks and pictures into a new own framework topic,
// with a progress dialog that can cancel, then the framework-topic list read
// again with the new topic selected. Also the entries of the own-topic
// commands and the reloading of the list they share.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/components/Messages.h"
#include "topics/OwnTopics.h"
#include "topics/ui/FileOpenDialog.h"
#include "topics/ui/TopicTitleForm.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QToolButton>

#include <algorithm>

namespace marbelo {

namespace {

const QString kImportCaption = QStringLiteral("Importuj slajdy...");

// The import's files into a new own topic with a progress dialog; the new
// file's name, or empty when nothing was imported (the user was told why).
QString importWithProgress(QWidget *owner, Messages &messages, const QString &dataDir, const QString &title,
                           const QStringList &files)
{
    QProgressDialog progress(QStringLiteral("Importowanie slajdów..."), QStringLiteral("Anuluj"), 0, 1, owner);
    progress.setObjectName(QStringLiteral("QelImportProgress"));
    progress.setWindowTitle(QStringLiteral("Importuj slajdy"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    progress.show();
    QString fileName;
    // Setting the value of a modal progress dialog lets the window take events,
    // so "Anuluj" is seen between two slides.
    const ImportResult result = importOwnTopic(
        dataDir, title, files,
        [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            return !progress.wasCanceled();
        },
        &fileName);
    progress.close();
    if (result.status == ImportStatus::Failed)
        messages.InformationMessage(result.message, 1, 0, 0);
    return result.ok() ? fileName : QString();
}

} // namespace

void TQelMainForm::buildOwnTopicEntries()
{
    const auto entry = [this](QMenu *menu, Command command, const char *name, const QString &caption, int help,
                              const QString &hint) {
        QAction *action = makeEntry(command, QString::fromLatin1(name), caption, 0, help, hint);
        action->setIcon(QIcon()); // the menu images have none for these commands
        menu->addAction(action);
    };
    QMenu *topics = mainMenus[1];
    topics->addSeparator();
    entry(topics, Command::ImportSlides, "QelModulesImportMenuItem", kImportCaption, 2224,
          QStringLiteral("Importuje slajdy z dokumentów PDF i obrazów jako nowy temat ramowy"));
    QMenu *dropDown = QelModulesToolButton->menu();
    dropDown->addSeparator();
    entry(dropDown, Command::ImportSlides, "QelModulesImportPopupMenuItem", kImportCaption, 2224, QString());
    auto *list = QelModuleListBox->findChild<QMenu *>(QStringLiteral("QelModulesListBodyPopupMenu"));
    list->addSeparator();
    entry(list, Command::ImportSlides, "QelModulesBodyImportPopupMenuItem", kImportCaption, 2224, QString());
    entry(list, Command::RenameOwnTopic, "QelModulesBodyRenamePopupMenuItem", QStringLiteral("Zmień nazwę tematu"),
          2225, QString());
    entry(list, Command::DeleteOwnTopic, "QelModulesBodyDeletePopupMenuItem", QStringLiteral("Usuń temat"), 2226,
          QString());
    connectCommand(Command::ImportSlides, &TQelMainForm::QelModulesImportMenuItemClick);
    connectCommand(Command::RenameOwnTopic, &TQelMainForm::QelModulesRenameMenuItemClick);
    connectCommand(Command::DeleteOwnTopic, &TQelMainForm::QelModulesDeleteMenuItemClick);
}

void TQelMainForm::reloadModuleList(const QString &fileName, int row)
{
    // Lines and running indices change: a search cannot be continued.
    m_state.findActive = false;
    m_state.findModuleIndex = 0;
    m_state.findNodeIndex = 0;
    LoadModuleList();
    int target = std::min(row, QelModuleListBox->count() - 1);
    for (const auto &[name, runningIndex] : m_state.moduleFiles) {
        if (!fileName.isEmpty() && name == fileName) {
            for (int line = 0; line < QelModuleListBox->count(); ++line) {
                if (QelModuleListBox->numberAt(line) == runningIndex)
                    target = line;
            }
        }
    }
    selectModuleLine(target);
    m_state.slideShown = false;
    LayoutViewPanel();
    QelModuleListBox->setFocus();
}

// "Importuj slajdy..."
void TQelMainForm::QelModulesImportMenuItemClick()
{
    DisableCommands();
    if (!m_openFilesDialog)
        m_openFilesDialog = std::make_shared<FileOpenDialog>(this);
    const QStringList files = m_openFilesDialog->execute();
    QString imported;
    if (!files.isEmpty()) {
        QString title;
        {
            TopicTitleForm form(this, TopicTitleForm::Import);
            form.setTitle(QFileInfo(files.first()).completeBaseName());
            if (form.exec() == QDialog::Accepted)
                title = form.title();
        }
        if (!title.isEmpty())
            imported = importWithProgress(this, m_messages, m_state.dataDir, title, files);
    }
    if (!imported.isEmpty())
        reloadModuleList(imported);
    EnableCommands();
    RefreshCommands();
}

} // namespace marbelo
