// The presentation commands: composing the selected training's presentation,
// its full-screen preview and its export as a presentation folder.
#pragma once

#include "documents/Letterhead.h"
#include "store/DataLocation.h"
#include "store/Records.h"

#include <QObject>

#include <functional>

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
    // Where the programme's letterhead comes from (the organiser, which the
    // courses know); without it the programme has none.
    void setLetterhead(std::function<Letterhead()> letterhead) { m_letterhead = std::move(letterhead); }

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
    std::function<Letterhead()> m_letterhead;
};

} // namespace marbelo
