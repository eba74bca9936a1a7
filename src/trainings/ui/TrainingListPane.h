// The training list pane: the catalogue's live trainings in Polish order,
// and the four training commands with their dialogs.
#pragma once

#include "common/ui/PaneInterfaces.h"
#include "store/Records.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

namespace marbelo {

struct CommandConditions;
class Messages;
class PaneList;

class TrainingListPane : public QObject, public TrainingSource
{
    Q_OBJECT
public:
    TrainingListPane(const QString &dataDir, Messages &messages, CommandFrame &frame, QWidget *dialogOwner);

    PaneList *list() const { return m_list; }
    // Start of the program: a pale yellow list of the catalogue's trainings.
    void startUp();
    void addConditions(CommandConditions *conditions) const;
    int selectedTrainingNumber() const override;
    // The catalogue's history (one for the whole list), kept while the program runs.
    const QUndoStack *history() const { return &m_history; }
    // Asked before a training is deleted.
    void setKeeper(TrainingKeeper *keeper) { m_keeper = keeper; }

public slots:
    // "Nowe"; true when a training was created.
    bool newTraining();
    void newTrainingFrom();
    void renameTraining();
    void deleteTraining();
    void undo();
    void redo();

signals:
    // Another training (or none) is selected: its outline is to be shown.
    void outlineToShowChanged();
    // A training number was given to a new training.
    void trainingCreated(int number);
    // The selected training's name or type was corrected.
    void trainingTypeChanged();

private:
    void loadTrainingList();
    void chooseTraining();
    // Appends a training record and selects its new line; reports a failure.
    std::optional<int> addTraining(const TrainingRecord &record);
    // Reads training number's record for a command; tells the user when it cannot.
    bool readTrainingForCommand(int number, TrainingRecord *record);
    // Puts the record into its history in the state it now has on disk.
    void remember(const QString &text, int number, const std::optional<RecordBytes> &before);
    // Writes a record state for undo or redo; tells the user when it cannot.
    bool applyRecordState(int number, const std::optional<RecordBytes> &state);
    // Undo or redo, then the list as it is on disk with the changed training selected.
    void stepHistory(bool back);
    // The end of every training command: the outline reloaded when a training
    // was added or deleted, and the focus back on the list.
    void finishCommand(bool reloadOutline);

    QString m_dataDir;
    Messages &m_messages;
    CommandFrame &m_frame;
    TrainingKeeper *m_keeper = nullptr;
    QWidget *m_dialogOwner;
    PaneList *m_list;
    QUndoStack m_history;
    int m_lastChanged = -1;      // the training the last undo or redo changed
    bool m_historyFailed = false; // an undo or redo could not be written
};

} // namespace marbelo
