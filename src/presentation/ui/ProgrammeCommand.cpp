// "Program szkolenia (PDF)...": the selected training's programme as an A4 PDF.

#include "common/ui/PaneInterfaces.h"
#include "presentation/ExportPlan.h"
#include "trainings/ProgrammeDocument.h"
#include "presentation/ui/PdfCommand.h"
#include "presentation/ui/PresentationCommands.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"

namespace marbelo {

void PresentationCommands::saveProgramme()
{
    const int number = m_trainings.selectedTrainingNumber();
    TrainingRecord training;
    if (number < 0 || !readTrainingRecord(m_location.dataDir(), number, &training)) {
        m_messages.inform(QStringLiteral("Nie udało się odczytać szkolenia z pliku %1.").arg(kCatalogueName));
        return;
    }
    const QString chosen = PdfCommandDialogs::of(m_dialogOwner).programmeDialog().execute();
    if (chosen.isEmpty())
        return;
    const QString taken = refusedTarget(chosen, m_location.dataDir(), temporaryDir() + kPresentationWorkName, number,
                                        m_location.playerDir());
    if (!taken.isEmpty()) {
        m_messages.inform(programFileRefusal(TargetKind::Pdf, taken));
        return;
    }
    QString error;
    if (saveProgrammeDocument(chosen, m_outline.outlineTree(), training, &error,
                              m_letterhead ? m_letterhead() : Letterhead{}))
        m_messages.inform(QStringLiteral("Program szkolenia został zapisany w pliku %1.").arg(chosen));
    else
        m_messages.inform(QStringLiteral("Nie udało się zapisać programu szkolenia. ") + error);
}

} // namespace marbelo
