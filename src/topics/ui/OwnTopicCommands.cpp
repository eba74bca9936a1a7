// Own topics: "Importuj slajdy..." brings PDF decks and pictures in as a new
// framework topic (with a progress dialog that can cancel); "Zmień nazwę
// tematu" and "Usuń temat" act on such topics only, never on the vendor's.

#include "topics/ui/TopicLibraryPane.h"

#include "common/ui/PaneWidgets.h"
#include "store/components/Messages.h"
#include "topics/OwnTopics.h"
#include "topics/ui/FileOpenDialog.h"
#include "topics/ui/ImportWorker.h"
#include "topics/ui/TopicTitleForm.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>

namespace marbelo {

namespace {

// The files into a new own topic with a progress dialog; the new file's
// name, or empty when nothing was imported (the user was told why). The
// files are read on a thread of their own (ImportWorker.h): "Anuluj" closes
// the dialog at once and nothing is written.
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

    const ImportWorker worker(title, files);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (worker.finished()) {
            loop.quit();
            return;
        }
        progress.setMaximum(std::max(1, worker.total()));
        progress.setValue(std::min(worker.done(), progress.maximum()));
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    poll.start(50);
    if (!progress.wasCanceled() && !worker.finished())
        loop.exec();
    poll.stop();
    const bool cancelled = progress.wasCanceled() || !worker.finished();
    progress.close();
    if (cancelled)
        return QString();

    ImportResult result = worker.result();
    QString fileName;
    if (result.ok())
        result = saveOwnTopic(dataDir, worker.bytes(), &fileName);
    if (result.status == ImportStatus::Failed)
        messages.inform(result.message);
    return result.ok() ? fileName : QString();
}

} // namespace

bool TopicLibraryPane::selectedModuleIsOwn() const
{
    const QString path = selectedModuleFile();
    // Only the data directory holds topics of the trainer's own.
    return !path.isEmpty() && QFileInfo(path).absolutePath() == QDir(m_dataDir).absolutePath()
           && isOwnTopicFileName(QFileInfo(path).fileName());
}

void TopicLibraryPane::reloadModuleList(const QString &path, int row)
{
    // Lines and running indices change: a search cannot be continued.
    m_search.findActive = false;
    m_search.findModuleIndex = 0;
    m_search.findNodeIndex = 0;
    loadModuleList();
    int target = std::min(row, m_list->count() - 1);
    for (const auto &[file, runningIndex] : m_moduleFiles) {
        if (!path.isEmpty() && file == path)
            target = m_list->rowOfNumber(runningIndex);
    }
    selectModuleLine(target);
    m_preview.showTitle();
    m_list->setFocus();
}

void TopicLibraryPane::importSlides()
{
    // "Importuj slajdy..."
    const CommandsDisabled disabled(m_frame);
    if (!m_openFilesDialog)
        m_openFilesDialog = std::make_shared<FileOpenDialog>(m_dialogOwner);
    const QStringList files = m_openFilesDialog->execute();
    QString imported;
    if (!files.isEmpty()) {
        QString title;
        {
            TopicTitleForm form(m_dialogOwner, TopicTitleForm::Import);
            form.setTitle(QFileInfo(files.first()).completeBaseName());
            if (form.exec() == QDialog::Accepted)
                title = form.title();
        }
        if (!title.isEmpty())
            imported = importWithProgress(m_dialogOwner, m_messages, m_dataDir, title, files);
    }
    if (!imported.isEmpty())
        reloadModuleList(m_dataDir + imported);
}

void TopicLibraryPane::renameOwnTopic()
{
    // "Zmień nazwę tematu"
    if (!selectedModuleIsOwn())
        return;
    const CommandsDisabled disabled(m_frame);
    const QString path = selectedModuleFile();
    QString title;
    {
        TopicTitleForm form(m_dialogOwner, TopicTitleForm::Rename);
        form.setTitle(m_list->selectedItems().first()->text());
        if (form.exec() == QDialog::Accepted)
            title = form.title();
    }
    if (!title.isEmpty()) {
        QString error;
        if (renameTopicFile(path, title, &error))
            reloadModuleList(path);
        else
            m_messages.inform(error);
    }
}

void TopicLibraryPane::deleteOwnTopic()
{
    // "Usuń temat"
    if (!selectedModuleIsOwn())
        return;
    const CommandsDisabled disabled(m_frame);
    const QString path = selectedModuleFile();
    const int row = m_list->currentRow();
    const QString question = QStringLiteral("Czy jesteś pewien, że chcesz usunąć temat „%1”?")
                                 .arg(m_list->selectedItems().first()->text());
    if (m_messages.confirm(question, DefaultAnswer::No)) {
        QString error;
        if (deleteTopicFile(path, &error))
            reloadModuleList(QString(), row);
        else
            m_messages.inform(error);
    }
}

} // namespace marbelo
