// "Pakiet e-learningowy (SCORM)...": the selected training as a package for a
// learning platform, saved where the trainer chooses, over the data folder's
// one database (the self-check test's questions come from its bank).
#pragma once

#include "presentation/ui/FileSaveDialog.h"
#include "store/DataLocation.h"

#include <QObject>

class QWidget;

namespace marbelo {
namespace db {
class DatabaseSession;
}
class CommandFrame;
class Messages;
class OutlineSource;
class TrainingSource;
}

namespace marbelo::exam {

class ScormCommand : public QObject
{
    Q_OBJECT
public:
    ScormCommand(const DataLocation &location, db::DatabaseSession &session, Messages &messages,
                 CommandFrame &frame, const TrainingSource &trainings, const OutlineSource &outline,
                 QWidget *dialogOwner);
    // Tests put a scripted save dialog in place of the file dialog.
    void setSaveDialog(SaveDialog *dialog) { m_replacement = dialog; }

public slots:
    void savePackage();

private:
    DataLocation m_location;
    db::DatabaseSession &m_session;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    const OutlineSource &m_outline;
    QWidget *m_dialogOwner;
    FileSaveDialog m_fileDialog;
    SaveDialog *m_replacement = nullptr;
};

} // namespace marbelo::exam
