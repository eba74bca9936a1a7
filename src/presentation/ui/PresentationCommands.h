// The presentation commands: composing the selected training's presentation,
// its full-screen preview and its export as a presentation folder.
#pragma once

#include "store/DataLocation.h"
#include "store/Records.h"

#include <QObject>

namespace marbelo {

class CommandFrame;
struct ComposeResult;
class Messages;
class OutlineSource;
class SaveDialog;
class TrainingSource;

class PresentationCommands : public QObject
{
    Q_OBJECT
public:
    PresentationCommands(const DataLocation &location, Messages &messages, SaveDialog &saveDialog, CommandFrame &frame,
                         const TrainingSource &trainings, const OutlineSource &outline, QWidget *dialogOwner);

public slots:
    void previewPresentation();
    void exportPresentation();
    void savePdf();
    // "Program szkolenia (PDF)..."
    void saveProgramme();

private:
    // Composes the selected training's presentation into outPath.
    ComposeResult composePresentation(const QString &outPath);

    DataLocation m_location;
    Messages &m_messages;
    SaveDialog &m_saveDialog;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    const OutlineSource &m_outline;
    QWidget *m_dialogOwner;
    TrainingRecord m_workingTraining; // the record the composition reads
};

} // namespace marbelo
