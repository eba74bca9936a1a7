#include "presentation/ui/PresentationCommands.h"

#include "common/ui/PaneInterfaces.h"
#include "presentation/Compose.h"
#include "presentation/ExportFolder.h"
#include "presentation/ExportPlan.h"
#include "presentation/ui/ViewForm.h"
#include "presentation/ui/WaitForm.h"
#include "presentation/SaveDialog.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/WorkFolder.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace marbelo {

namespace {

// The wait window for as long as a presentation is being built.
class WaitWindow
{
public:
    explicit WaitWindow(QWidget *owner) : m_form(new WaitForm(owner))
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
    WaitForm *m_form;
};

} // namespace

PresentationCommands::PresentationCommands(const DataLocation &location, Messages &messages, SaveDialog &saveDialog,
                                           CommandFrame &frame, const TrainingSource &trainings,
                                           const OutlineSource &outline, QWidget *dialogOwner)
    : QObject(dialogOwner), m_location(location), m_messages(messages), m_saveDialog(saveDialog), m_frame(frame),
      m_trainings(trainings), m_outline(outline), m_dialogOwner(dialogOwner)
{
    setObjectName(QStringLiteral("PresentationCommands"));
}

ComposeResult PresentationCommands::composePresentation(const QString &outPath)
{
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0) {
        ComposeResult none;
        none.error = QStringLiteral("nie wybrano szkolenia");
        return none;
    }
    // The outline in pre-order, whichever of its items are expanded.
    return marbelo::composePresentation(m_location.dataDir(), number, m_outline.outlineReferences(),
                                        &m_workingTraining, outPath, m_location.frontPagePath());
}

void PresentationCommands::exportPresentation()
{
    // "Utwórz prezentację"
    const QString chosen = m_saveDialog.execute();
    if (chosen.isEmpty())
        return;
    const WorkFolder workFolder;
    const QString work = workFolder.presentationPath();
    if (namesFolder(chosen)) {
        m_messages.inform(
            QStringLiteral("Nie można zapisać prezentacji pod nazwą %1, ponieważ jest to folder. "
                           "Wybierz inną nazwę pliku.")
                .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    const QString taken = refusedTarget(chosen, m_location.dataDir(), work, m_trainings.selectedTrainingNumber(),
                                        m_location.playerDir(), m_location.sharedDir());
    if (!taken.isEmpty()) {
        m_messages.inform(programFileRefusal(TargetKind::Presentation, taken));
        return;
    }

    WaitWindow wait(m_dialogOwner);
    ExportResult result;
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0)
        result.composed.error = QStringLiteral("nie wybrano szkolenia");
    else
        result = exportPresentationFolder(m_location.dataDir(), number, m_outline.outlineReferences(),
                                          &m_workingTraining, chosen,
                                          {m_location.playerDir(), m_location.frontPagePath()});
    wait.close();
    m_messages.inform(exportMessage(result, chosen));
}

void PresentationCommands::previewPresentation()
{
    // "Podgląd prezentacji"
    const CommandsDisabled disabled(m_frame);
    const WorkFolder workFolder;
    const QString work = workFolder.presentationPath();
    QString problem;
    {
        WaitWindow wait(m_dialogOwner);
        const ComposeResult composed = composePresentation(work);
        std::unique_ptr<Stream> presentation;
        std::vector<BlockInfo> slides;
        if (!composed.ok)
            problem = composed.fileFailed
                          ? QStringLiteral("Nie udało się przygotować podglądu prezentacji. ") + composed.error
                          : QStringLiteral("Nie udało się przygotować podglądu prezentacji: %1.").arg(composed.error);
        else if (!(presentation = openStream(work, OpenMode::Read)))
            problem = QStringLiteral("Nie udało się otworzyć pliku prezentacji.");
        else
            slides = indexBlocks(*presentation, 0);
        if (problem.isEmpty() && slides.empty())
            problem = QStringLiteral("Prezentacja nie zawiera żadnego slajdu do wyświetlenia.");
        wait.close();
        if (problem.isEmpty()) {
            ViewForm view(std::move(presentation), std::move(slides), m_messages, m_dialogOwner);
            view.setChapterClock(ChapterClock(m_outline.outlineTree(), composed.frontPage));
            view.exec();
        }
    }
    QFile::remove(work);
    if (!problem.isEmpty())
        m_messages.inform(problem);
}

} // namespace marbelo
