// Composing the presentation, its full-screen preview and the export.

#include "shell/ui/MainForm.h"

#include "presentation/Compose.h"
#include "presentation/ExportFolder.h"
#include "presentation/ExportPlan.h"
#include "presentation/ui/ViewForm.h"
#include "presentation/ui/WaitForm.h"
#include "presentation/SaveDialog.h"
#include "shell/ui/PaneWidgets.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace marbelo {

namespace {

// The wait window for as long as a presentation is being built.
class WaitWindow
{
public:
    explicit WaitWindow(QWidget *owner) : m_form(new TQelWaitForm(owner))
    {
        m_form->show();
        QApplication::processEvents();
    }
    ~WaitWindow() { close(); }
    void close()
    {
        if (m_form) {
            m_form->close();
            delete m_form;
            m_form = nullptr;
        }
    }

private:
    TQelWaitForm *m_form;
};

} // namespace

ComposeResult TQelMainForm::ComposePresentation(const QString &outPath)
{
    const int number = selectedTrainingNumber();
    if (number < 0) {
        ComposeResult none;
        none.error = QStringLiteral("nie wybrano szkolenia");
        return none;
    }
    // The outline in pre-order, whichever of its nodes are expanded.
    std::vector<ItemReference> references;
    for (const QTreeWidgetItem *item : QelProjectsTreeView->flatItems())
        references.push_back(PaneTree::referenceOf(item));
    return composePresentation(m_state.dataDir, number, references, &m_state.workingTraining, outPath);
}

void TQelMainForm::QelViewCreateMenuItemClick()
{
    const QString chosen = m_saveDialog.execute();
    if (chosen.isEmpty())
        return;
    const QString work = temporaryDir() + kPresentationWorkName;
    const QString taken = refusedTarget(chosen, m_state.dataDir, work, selectedTrainingNumber());
    if (!taken.isEmpty()) {
        m_messages.InformationMessage(
            QStringLiteral("Nie można zapisać prezentacji pod nazwą %1, ponieważ tego pliku używa program. "
                           "Wybierz inną nazwę pliku lub inny folder.")
                .arg(taken),
            1, 0, 1);
        return;
    }

    WaitWindow wait(this);
    const ComposeResult composed = ComposePresentation(work);
    const ExportResult result =
        writePresentationFolder(composed, m_state.dataDir, m_state.workingTraining.name, chosen, work);
    wait.close();
    m_messages.InformationMessage(exportMessage(result, chosen), 1, 0, 1);
}

void TQelMainForm::QelViewViewMenuItemClick()
{
    DisableCommands();
    const QString work = temporaryDir() + kPresentationWorkName;
    QString problem;
    {
        WaitWindow wait(this);
        const ComposeResult composed = ComposePresentation(work);
        std::unique_ptr<Stream> presentation;
        std::vector<BlockInfo> slides;
        if (!composed.ok)
            problem = QStringLiteral("Nie udało się przygotować podglądu prezentacji: %1.").arg(composed.error);
        else if (!OpenStream(presentation, work, kOpenRead, 1))
            problem = QStringLiteral("Nie udało się otworzyć pliku prezentacji.");
        else
            slides = indexBlocks(*presentation, 0);
        if (problem.isEmpty() && slides.empty())
            problem = QStringLiteral("Prezentacja nie zawiera żadnego slajdu do wyświetlenia.");
        wait.close();
        if (problem.isEmpty()) {
            TQelViewForm view(std::move(presentation), std::move(slides), m_messages, temporaryDir(), this);
            view.exec();
        }
    }
    QFile::remove(work);
    if (!problem.isEmpty())
        m_messages.InformationMessage(problem, 1, 0, 1);
    RefreshCommands();
    EnableCommands();
}

} // namespace marbelo
