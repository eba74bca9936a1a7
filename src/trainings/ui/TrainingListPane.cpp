#include "trainings/ui/TrainingListPane.h"

#include "common/CommandRules.h"
#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"
#include "trainings/ui/CatalogueHistory.h"
#include "trainings/ui/TrainingDialogs.h"

#include <QFile>
#include <QFileInfo>

namespace marbelo {

namespace {

void selectNone(PaneList *list)
{
    list->setCurrentRow(-1);
    list->clearSelection();
}

} // namespace

TrainingListPane::TrainingListPane(const QString &dataDir, Messages &messages, CommandFrame &frame,
                                   QWidget *dialogOwner)
    : QObject(dialogOwner), m_dataDir(dataDir), m_messages(messages), m_frame(frame), m_dialogOwner(dialogOwner),
      m_list(new PaneList)
{
    setObjectName(QStringLiteral("TrainingListPane"));
    m_list->setObjectName(QStringLiteral("QelProjectsListBox"));
    m_list->setUniformItemSizes(true);
    // While a search runs, pane input does nothing.
    const auto choose = [this] {
        if (!m_frame.paneInputBlocked())
            chooseTraining();
    };
    connect(m_list, &QListWidget::clicked, this, choose);
    m_list->onKeyUp = [choose](QKeyEvent *) { choose(); };
}

void TrainingListPane::startUp()
{
    paintPaleYellow(m_list);
    loadTrainingList();
}

void TrainingListPane::addConditions(CommandConditions *conditions) const
{
    conditions->trainingSelected = !m_list->selectedItems().isEmpty();
    conditions->trainingsCanUndo = m_history.canUndo();
    conditions->trainingsCanRedo = m_history.canRedo();
}

int TrainingListPane::selectedTrainingNumber() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(kItemNumberRole).toInt();
}

void TrainingListPane::loadTrainingList()
{
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    std::vector<CatalogueEntry> entries;
    if (readCatalogue(m_dataDir, &entries)) {
        for (const CatalogueEntry &entry : entries) {
            if (entry.record.isLive())
                m_list->insertSorted(entry.record.name, entry.number);
        }
    }
    m_list->setUpdatesEnabled(true);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    else
        selectNone(m_list);
}

void TrainingListPane::chooseTraining()
{
    emit outlineToShowChanged();
    m_frame.refreshCommands();
    m_list->setFocus();
}

std::optional<int> TrainingListPane::addTraining(const TrainingRecord &record)
{
    QString error;
    const auto number = appendTrainingRecord(m_dataDir, record, &error);
    if (!number) {
        m_messages.inform(QStringLiteral("Nie udało się utworzyć szkolenia: %1").arg(error));
        return std::nullopt;
    }
    m_list->setCurrentRow(m_list->insertSorted(record.name, *number));
    return number;
}

bool TrainingListPane::readTrainingForCommand(int number, TrainingRecord *record)
{
    if (readTrainingRecord(m_dataDir, number, record))
        return true;
    m_messages.inform(QStringLiteral("Nie udało się odczytać szkolenia z pliku %1.").arg(kCatalogueName));
    return false;
}

void TrainingListPane::finishCommand(bool reloadOutline)
{
    if (reloadOutline)
        emit outlineToShowChanged();
    m_list->setFocus();
}

bool TrainingListPane::newTraining()
{
    // "Nowe"
    const CommandsDisabled disabled(m_frame);
    bool created = false;
    {
        NewTrainingDialog form(m_dialogOwner);
        form.setName(QString());
        form.selectType(0);
        if (form.exec() == QDialog::Accepted) {
            const TrainingRecord record{form.name().left(kMaxNameLength), form.chosenType(), 0};
            if (const auto number = addTraining(record)) {
                createTrainingFiles(m_dataDir, *number);
                created = true;
                emit trainingCreated(*number);
                remember(QStringLiteral("Nowe szkolenie"), *number, std::nullopt);
            }
        }
    }
    finishCommand(created);
    return created;
}

void TrainingListPane::newTrainingFrom()
{
    // "Nowe od ..."
    const int source = selectedTrainingNumber();
    if (source < 0)
        return;
    const CommandsDisabled disabled(m_frame);
    bool created = false;
    TrainingRecord stored;
    if (readTrainingForCommand(source, &stored)) {
        NewTrainingFromDialog form(m_dialogOwner);
        form.setName(stored.name);
        form.selectType(stored.type);
        if (form.exec() == QDialog::Accepted) {
            const TrainingRecord record{form.name().left(kMaxNameLength), form.chosenType(), 0};
            if (const auto number = addTraining(record)) {
                created = true;
                // The image store is copied byte for byte, so the copied
                // outline's references stay valid.
                QStringList failed;
                QStringList copies;
                // The programme file goes with the outline: the new training
                // inherits the hours and the form.
                const std::pair<QString, QString> files[] = {
                    {imageStoreFileName(source), imageStoreFileName(*number)},
                    {outlineFileName(source), outlineFileName(*number)},
                    {programmeFileName(source), programmeFileName(*number)},
                };
                for (const auto &[name, copyName] : files) {
                    const QString from = m_dataDir + name;
                    const QString to = m_dataDir + copyName;
                    // No file to copy: none may be left there from a training taken back.
                    if (!QFileInfo::exists(from)) {
                        QFile::remove(to);
                        continue;
                    }
                    if (CopyDataFile(from, to) != 0)
                        failed << name;
                    else
                        copies << to;
                }
                // A copy without its slides or its outline would be a broken
                // training: the whole command is taken back instead.
                if (!failed.isEmpty() && takeBackTrainingRecord(m_dataDir, *number)) {
                    for (const QString &copy : copies)
                        QFile::remove(copy);
                    delete m_list->takeItem(m_list->currentRow());
                    m_list->setCurrentRow(m_list->rowOfNumber(source));
                    created = false;
                    m_messages.inform(
                        QStringLiteral("Nie udało się utworzyć szkolenia: nie udało się skopiować plików %1.")
                            .arg(failed.join(QStringLiteral(", "))));
                } else if (!failed.isEmpty()) {
                    m_messages.inform(
                        QStringLiteral("Szkolenie zostało utworzone, ale nie udało się skopiować plików: %1.")
                            .arg(failed.join(QStringLiteral(", "))));
                }
                if (created) {
                    emit trainingCreated(*number);
                    remember(QStringLiteral("Nowe szkolenie od ..."), *number, std::nullopt);
                }
            }
        }
    }
    finishCommand(created);
}

void TrainingListPane::renameTraining()
{
    // "Popraw"
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    const CommandsDisabled disabled(m_frame);
    TrainingRecord stored;
    if (readTrainingForCommand(number, &stored)) {
        RenameTrainingDialog form(m_dialogOwner);
        form.setName(stored.name);
        form.selectType(stored.type);
        if (form.exec() == QDialog::Accepted) {
            // With no type chosen (a stored type outside the table) the stored type stays.
            const int type = form.chosenType() >= 0 ? form.chosenType() : stored.type;
            const TrainingRecord record{form.name().left(kMaxNameLength), type, 0};
            QString error;
            RecordBytes before{};
            const bool known = readTrainingRecordBytes(m_dataDir, number, &before);
            if (rewriteTrainingRecord(m_dataDir, number, record, &error)) {
                if (known)
                    remember(QStringLiteral("Popraw szkolenie"), number, before);
                delete m_list->takeItem(m_list->currentRow());
                m_list->setCurrentRow(m_list->insertSorted(record.name, number));
                // The type decides the programme's minimum.
                emit trainingTypeChanged();
            } else {
                m_messages.inform(QStringLiteral("Nie udało się poprawić szkolenia: %1").arg(error));
            }
        }
    }
    finishCommand(false);
}

void TrainingListPane::deleteTraining()
{
    // "Usuń"
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    const CommandsDisabled disabled(m_frame);
    bool deleted = false;
    if (const QString kept = m_keeper ? m_keeper->whyTrainingStays(number) : QString(); !kept.isEmpty()) {
        m_messages.inform(kept);
    } else if (m_messages.confirm(QStringLiteral("Czy jesteś pewien, że chcesz usunąć to szkolenie?"),
                                  DefaultAnswer::No)) {
        QString error;
        RecordBytes before{};
        const bool known = readTrainingRecordBytes(m_dataDir, number, &before);
        if (markTrainingDeleted(m_dataDir, number, &error)) {
            if (known)
                remember(QStringLiteral("Usuń szkolenie"), number, before);
            const int row = m_list->currentRow();
            delete m_list->takeItem(row);
            // The line above becomes selected; deleting the first line leaves none.
            if (row > 0)
                m_list->setCurrentRow(row - 1);
            else
                selectNone(m_list);
            deleted = true;
        } else {
            m_messages.inform(QStringLiteral("Nie udało się usunąć szkolenia: %1").arg(error));
        }
    }
    finishCommand(deleted);
}

void TrainingListPane::remember(const QString &text, int number, const std::optional<RecordBytes> &before)
{
    RecordBytes after{};
    if (!readTrainingRecordBytes(m_dataDir, number, &after))
        return;
    m_history.push(new CatalogueChange(text, m_dataDir, number, before, after,
                                       [this](int changed, const std::optional<RecordBytes> &state) {
                                           return applyRecordState(changed, state);
                                       }));
}

bool TrainingListPane::applyRecordState(int number, const std::optional<RecordBytes> &state)
{
    m_lastChanged = number;
    QString error;
    const bool written = state ? restoreTrainingRecord(m_dataDir, number, *state, &error)
                               : takeBackTrainingRecord(m_dataDir, number);
    if (!written) {
        m_historyFailed = true;
        m_messages.inform(
            QStringLiteral("Nie udało się zapisać zmiany listy szkoleń (%1). Widoczna jest lista szkoleń zapisana "
                           "na dysku.")
                .arg(error.isEmpty() ? QStringLiteral("nie można zapisać pliku %1").arg(kCatalogueName)
                                     : error.chopped(error.endsWith(QLatin1Char('.')) ? 1 : 0)));
    }
    return written;
}

void TrainingListPane::stepHistory(bool back)
{
    if (back ? !m_history.canUndo() : !m_history.canRedo())
        return;
    const CommandsDisabled disabled(m_frame);
    const int selected = selectedTrainingNumber();
    m_historyFailed = false;
    if (back)
        m_history.undo();
    else
        m_history.redo();
    // A history that could not be written no longer matches the disk.
    if (m_historyFailed)
        m_history.clear();
    loadTrainingList();
    const int row = m_list->rowOfNumber(m_lastChanged);
    const int kept = m_list->rowOfNumber(selected);
    if (row >= 0 || kept >= 0)
        m_list->setCurrentRow(row >= 0 ? row : kept);
    finishCommand(true);
}

void TrainingListPane::undo()
{
    // "Cofnij" of the training commands
    stepHistory(true);
}

void TrainingListPane::redo()
{
    // "Ponów" of the training commands
    stepHistory(false);
}

} // namespace marbelo
