// "Zapisz jako PDF": the presentation's slides, or the participants' handouts,
// in a PDF file.

#include "presentation/ui/PdfCommand.h"

#include "presentation/ExportPlan.h"
#include "presentation/PdfExport.h"
#include "presentation/ui/PdfLayoutForm.h"
#include "presentation/ui/WaitForm.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"

#include <QApplication>
#include <QFile>

#include <memory>

namespace marbelo {

PdfCommandDialogs::PdfCommandDialogs(QWidget *window)
    : QObject(window),
      m_fileDialog(window, QStringLiteral("Zapisz prezentację jako PDF"), QStringLiteral("Pliki PDF (*.pdf)"),
                   QStringLiteral("pdf"))
{
    setObjectName(QStringLiteral("QelPdfCommandDialogs"));
}

PdfCommandDialogs &PdfCommandDialogs::of(QWidget *window)
{
    auto *dialogs = window->findChild<PdfCommandDialogs *>(QString(), Qt::FindDirectChildrenOnly);
    return dialogs ? *dialogs : *new PdfCommandDialogs(window);
}

// "Zapisz jako PDF"
void TQelMainForm::QelViewPdfMenuItemClick()
{
    PdfLayout layout = PdfLayout::Slides;
    {
        TQelPdfLayoutForm form(this);
        if (form.exec() != QDialog::Accepted)
            return;
        layout = form.layout();
    }
    const QString chosen = PdfCommandDialogs::of(this).saveDialog().execute();
    if (chosen.isEmpty())
        return;
    const QString work = temporaryDir() + kPresentationWorkName;
    const QString taken = refusedTarget(chosen, m_state.dataDir, work, selectedTrainingNumber());
    if (!taken.isEmpty()) {
        m_messages.InformationMessage(
            QStringLiteral("Nie można zapisać pliku PDF pod nazwą %1, ponieważ tego pliku używa program. "
                           "Wybierz inną nazwę pliku lub inny folder.")
                .arg(taken),
            1, 0, 1);
        return;
    }

    auto wait = std::make_unique<TQelWaitForm>(this);
    wait->show();
    QApplication::processEvents();
    // The outline in pre-order, as "Utwórz prezentację" composes it.
    std::vector<ItemReference> references;
    for (const QTreeWidgetItem *item : QelProjectsTreeView->flatItems())
        references.push_back(PaneTree::referenceOf(item));
    const int number = selectedTrainingNumber();
    PdfResult result;
    if (number >= 0)
        result = exportPresentationPdf(m_state.dataDir, number, references, &m_state.workingTraining, layout, chosen);
    else
        result.error = QStringLiteral("nie wybrano szkolenia");
    wait.reset();
    m_messages.InformationMessage(pdfMessage(result), 1, 0, 1);
}

} // namespace marbelo
