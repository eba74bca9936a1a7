#include "exam/ui/ScormCommand.h"

#include "common/ui/PaneInterfaces.h"
#include "exam/ScormPackage.h"
#include "exam/ui/ExamForms.h"
#include "presentation/ExportPlan.h"
#include "presentation/ui/WaitForm.h"
#include "store/WorkFolder.h"
#include "store/components/Messages.h"
#include "store/db/DatabaseSession.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace marbelo::exam {

ScormCommand::ScormCommand(const DataLocation &location, db::DatabaseSession &session, Messages &messages,
                           CommandFrame &frame, const TrainingSource &trainings, const OutlineSource &outline,
                           QWidget *dialogOwner)
    : QObject(dialogOwner), m_location(location), m_session(session), m_messages(messages), m_frame(frame),
      m_trainings(trainings), m_outline(outline), m_dialogOwner(dialogOwner),
      m_fileDialog(dialogOwner, QStringLiteral("Zapisz pakiet e-learningowy (SCORM)"),
                   QStringLiteral("Pakiety SCORM (*.zip)"), QStringLiteral("zip"))
{
    setObjectName(QStringLiteral("QelScormCommand"));
}

void ScormCommand::savePackage()
{
    const int number = m_trainings.selectedTrainingNumber();
    if (number < 0)
        return;
    const CommandsDisabled disabled(m_frame);
    ScormOptions options;
    if (!selfCheckForm(m_dialogOwner, &options.questions, &options.passMark))
        return;
    const QString chosen = (m_replacement ? *m_replacement : static_cast<SaveDialog &>(m_fileDialog)).execute();
    if (chosen.isEmpty())
        return;
    if (namesFolder(chosen)) {
        m_messages.inform(QStringLiteral("Nie można zapisać pakietu pod nazwą %1, ponieważ jest to folder. "
                                         "Wybierz inną nazwę pliku.")
                              .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    // No file the program reads or writes is overwritten by the package.
    const WorkFolder workFolder;
    const QString taken = refusedTarget(chosen, m_location.dataDir(), workFolder.presentationPath(), number,
                                        m_location.playerDir(), m_location.sharedDir());
    if (!taken.isEmpty()) {
        m_messages.inform(scormTargetRefusal(taken));
        return;
    }
    db::Database *database = m_session.openTelling(m_messages);
    if (!database)
        return;
    options.libraryDirs = m_location.libraryDirs();
    options.frontPagePath = m_location.frontPagePath();
    auto wait = std::make_unique<WaitForm>(m_dialogOwner);
    wait->show();
    QApplication::processEvents();
    const ScormResult result =
        writeScormPackage(m_location.dataDir(), number, m_outline.outlineTree(), *database, options, chosen);
    wait.reset();
    m_messages.inform(scormMessage(result));
}

} // namespace marbelo::exam
