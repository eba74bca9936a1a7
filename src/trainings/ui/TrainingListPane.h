// The training list pane: the catalogue's live trainings in Polish order,
// and the four training commands with their dialogs.
#pragma once

#include "common/ui/PaneInterfaces.h"
#include "store/Records.h"

#include <QObject>

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

public slots:
    // "Nowe"; true when a training was created.
    bool newTraining();
    void newTrainingFrom();
    void renameTraining();
    void deleteTraining();

signals:
    // Another training (or none) is selected: its outline is to be shown.
    void outlineToShowChanged();

private:
    void loadTrainingList();
    void chooseTraining();
    // Appends a training record and selects its new line; reports a failure.
    std::optional<int> addTraining(const TrainingRecord &record);
    // Reads training number's record for a command; tells the user when it cannot.
    bool readTrainingForCommand(int number, TrainingRecord *record);
    // The end of every training command: commands back, the outline reloaded
    // when a training was added or deleted, availability and focus.
    void finishCommand(bool reloadOutline);

    QString m_dataDir;
    Messages &m_messages;
    CommandFrame &m_frame;
    QWidget *m_dialogOwner;
    PaneList *m_list;
    TrainingRecord m_workingTraining; // the working training record
};

} // namespace marbelo
