// "Zapisz jako PDF": the presentation's slides, or the participants' handouts,
// in a PDF file.

#include "presentation/ui/PdfCommand.h"

#include "presentation/ExportPlan.h"
#include "presentation/PdfExport.h"
#include "presentation/ui/PdfLayoutDialog.h"
#include "presentation/ui/WaitForm.h"
#include "common/ui/PaneInterfaces.h"
#include "presentation/ui/PresentationCommands.h"
#include "store/DataFiles.h"
#include "store/WorkFolder.h"
#include "store/components/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <memory>

namespace marbelo {

PdfCommandDialogs::PdfCommandDialogs(QWidget *window)
    : QObject(window),
      m_fileDialog(window, QStringLiteral("Zapisz prezentację jako PDF"), QStringLiteral("Pliki PDF (*.pdf)"),
                   QStringLiteral("pdf")),
      m_programmeDialog(window, QStringLiteral("Zapisz program szkolenia jako PDF"),
                        QStringLiteral("Pliki PDF (*.pdf)"), QStringLiteral("pdf"))
{
    setObjectName(QStringLiteral("QelPdfCommandDialogs"));
}

PdfCommandDialogs &PdfCommandDialogs::of(QWidget *window)
{
    auto *dialogs = window->findChild<PdfCommandDialogs *>(QString(), Qt::FindDirectChildrenOnly);
    return dialogs ? *dialogs : *new PdfCommandDialogs(window);
}

void PresentationCommands::savePdf()
{
    // "Zapisz jako PDF"
    PdfLayout layout = PdfLayout::Slides;
    {
        PdfLayoutDialog dialog(m_dialogOwner);
        if (dialog.exec() != QDialog::Accepted)
            return;
        layout = dialog.layout();
    }
    const QString chosen = PdfCommandDialogs::of(m_dialogOwner).saveDialog().execute();
    if (chosen.isEmpty())
        return;
    const int number = m_trainings.selectedTrainingNumber();
    const WorkFolder workFolder;
    const QString work = workFolder.presentationPath();
    if (namesFolder(chosen)) {
        m_messages.inform(
            QStringLiteral("Nie można zapisać pliku PDF pod nazwą %1, ponieważ jest to folder. "
                           "Wybierz inną nazwę pliku.")
                .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    const QString taken =
        refusedTarget(chosen, m_location.dataDir(), work, number, m_location.playerDir(), m_location.sharedDir());
    if (!taken.isEmpty()) {
        m_messages.inform(programFileRefusal(TargetKind::Pdf, taken));
        return;
    }

    auto wait = std::make_unique<WaitForm>(m_dialogOwner);
    wait->show();
    QApplication::processEvents();
    PdfResult result;
    if (number >= 0)
        result = exportPresentationPdf(m_location.dataDir(), number, m_outline.outlineReferences(),
                                       &m_workingTraining, layout, chosen, m_location.frontPagePath());
    else
        result.error = QStringLiteral("nie wybrano szkolenia");
    wait.reset();
    m_messages.inform(pdfMessage(result));
}

} // namespace marbelo
