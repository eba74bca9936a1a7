// Trainings in the main window: the catalogue list, loading and saving the
// selected training's outline, and the four training commands.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/CopyDataFile.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/TreeBuilder.h"
#include "store/components/Messages.h"
#include "trainings/ui/ProjectForms.h"

#include <QFileInfo>

namespace marbelo {

namespace {

void selectNone(PaneList *list)
{
    list->setCurrentRow(-1);
    list->clearSelection();
}

} // namespace

int TQelMainForm::selectedTrainingNumber() const
{
    const QList<QListWidgetItem *> selected = QelProjectsListBox->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(kItemNumberRole).toInt();
}

void TQelMainForm::LoadProjectList()
{
    QelProjectsListBox->setUpdatesEnabled(false);
    QelProjectsListBox->clear();
    std::vector<CatalogueEntry> entries;
    if (readCatalogue(m_state.dataDir, &entries)) {
        for (const CatalogueEntry &entry : entries) {
            m_state.workingTraining = entry.record;
            if (entry.record.isLive())
                QelProjectsListBox->insertSorted(entry.record.name, entry.number);
        }
    }
    QelProjectsListBox->setUpdatesEnabled(true);
    if (QelProjectsListBox->count() > 0)
        QelProjectsListBox->setCurrentRow(0);
    else
        selectNone(QelProjectsListBox);
}

void TQelMainForm::LoadProjectTree()
{
    QelProjectsTreeView->clear();
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    QelProjectsTreeView->setUpdatesEnabled(false);
    std::vector<OutlineRecord> records;
    readOutline(m_state.dataDir + outlineFileName(number), &records);
    TreeBuilder builder;
    std::vector<QTreeWidgetItem *> items;
    items.reserve(records.size());
    for (const OutlineRecord &record : records) {
        const int node = builder.add(record.level);
        const int parent = builder.tree().parent[static_cast<std::size_t>(node)];
        QTreeWidgetItem *item = parent < 0 ? new QTreeWidgetItem(QelProjectsTreeView)
                                           : new QTreeWidgetItem(items[static_cast<std::size_t>(parent)]);
        item->setText(0, record.name);
        PaneTree::setReference(item, record.reference);
        items.push_back(item);
    }
    QelProjectsTreeView->setUpdatesEnabled(true);
}

void TQelMainForm::SaveProjectTree()
{
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    std::vector<OutlineRecord> records;
    for (const QTreeWidgetItem *item : QelProjectsTreeView->flatItems())
        records.push_back({item->text(0), PaneTree::levelOf(item), PaneTree::referenceOf(item)});
    QString error;
    if (!saveOutline(m_state.dataDir + outlineFileName(number), records, &error)) {
        // The edited outline stays on screen; the file keeps its previous contents.
        m_messages.InformationMessage(
            QStringLiteral("Nie udało się zapisać prezentacji szkolenia na dysku (%1). Ostatnia zmiana jest "
                           "widoczna na ekranie, ale plik zawiera poprzednią wersję prezentacji.")
                .arg(error),
            1, 0, 0);
    }
}

void TQelMainForm::QelProjectsListBoxClick()
{
    LoadProjectTree();
    RefreshCommands();
    QelProjectsListBox->setFocus();
}

void TQelMainForm::QelProjectsListBoxKeyUp()
{
    QelProjectsListBoxClick();
}

std::optional<int> TQelMainForm::addTraining(const TrainingRecord &record)
{
    QString error;
    const auto number = appendTrainingRecord(m_state.dataDir, record, &error);
    if (!number) {
        m_messages.InformationMessage(QStringLiteral("Nie udało się utworzyć szkolenia: %1").arg(error), 1, 0, 0);
        return std::nullopt;
    }
    m_state.workingTraining = record;
    QelProjectsListBox->setCurrentRow(QelProjectsListBox->insertSorted(record.name, *number));
    return number;
}

bool TQelMainForm::readTrainingForCommand(int number, TrainingRecord *record)
{
    if (readTrainingRecord(m_state.dataDir, number, record))
        return true;
    m_messages.InformationMessage(QStringLiteral("Nie udało się odczytać szkolenia z pliku %1.").arg(kCatalogueName),
                                  1, 0, 0);
    return false;
}

void TQelMainForm::finishTrainingCommand(bool reloadOutline)
{
    EnableCommands();
    if (reloadOutline)
        LoadProjectTree();
    RefreshCommands();
    QelProjectsListBox->setFocus();
}

bool TQelMainForm::newTraining()
{
    DisableCommands();
    bool created = false;
    {
        TQelNewProjectForm form(this);
        form.setName(QString());
        form.selectType(0);
        if (form.exec() == QDialog::Accepted) {
            const TrainingRecord record{form.name().left(kMaxNameLength), form.chosenType(), 0};
            if (const auto number = addTraining(record)) {
                createTrainingFiles(m_state.dataDir, *number);
                created = true;
            }
        }
    }
    finishTrainingCommand(created);
    return created;
}

void TQelMainForm::QelProjectsNewMenuItemClick()
{
    newTraining();
}

void TQelMainForm::QelProjectsNewFromMenuItemClick()
{
    const int source = selectedTrainingNumber();
    if (source < 0)
        return;
    DisableCommands();
    bool created = false;
    TrainingRecord stored;
    if (readTrainingForCommand(source, &stored)) {
        m_state.workingTraining = stored;
        TQelNewProjectFromForm form(this);
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
                for (const QString &name : {imageStoreFileName(source), outlineFileName(source)}) {
                    const QString from = m_state.dataDir + name;
                    const QString to = m_state.dataDir
                                       + (name.startsWith(QLatin1String("Data")) ? imageStoreFileName(*number)
                                                                                 : outlineFileName(*number));
                    if (!QFileInfo::exists(from))
                        continue;
                    if (CopyDataFile(from, to) != 0)
                        failed << name;
                    else
                        copies << to;
                }
                // A copy without its slides or its outline would be a broken
                // training: the whole command is taken back instead.
                if (!failed.isEmpty() && takeBackTrainingRecord(m_state.dataDir, *number)) {
                    for (const QString &copy : copies)
                        QFile::remove(copy);
                    delete QelProjectsListBox->takeItem(QelProjectsListBox->currentRow());
                    QelProjectsListBox->setCurrentRow(QelProjectsListBox->rowOfNumber(source));
                    m_state.workingTraining = stored;
                    created = false;
                    m_messages.InformationMessage(
                        QStringLiteral("Nie udało się utworzyć szkolenia: nie udało się skopiować plików %1.")
                            .arg(failed.join(QStringLiteral(", "))),
                        1, 0, 0);
                } else if (!failed.isEmpty()) {
                    m_messages.InformationMessage(
                        QStringLiteral("Szkolenie zostało utworzone, ale nie udało się skopiować plików: %1.")
                            .arg(failed.join(QStringLiteral(", "))),
                        1, 0, 0);
                }
            }
        }
    }
    finishTrainingCommand(created);
}

void TQelMainForm::QelProjectsCorectMenuItemClick()
{
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    DisableCommands();
    TrainingRecord stored;
    if (readTrainingForCommand(number, &stored)) {
        m_state.workingTraining = stored;
        TQelCorectProjectForm form(this);
        form.setName(stored.name);
        form.selectType(stored.type);
        if (form.exec() == QDialog::Accepted) {
            // With no type chosen (a stored type outside the table) the stored type stays.
            const int type = form.chosenType() >= 0 ? form.chosenType() : stored.type;
            const TrainingRecord record{form.name().left(kMaxNameLength), type, 0};
            QString error;
            if (rewriteTrainingRecord(m_state.dataDir, number, record, &error)) {
                m_state.workingTraining = record;
                delete QelProjectsListBox->takeItem(QelProjectsListBox->currentRow());
                QelProjectsListBox->setCurrentRow(QelProjectsListBox->insertSorted(record.name, number));
            } else {
                m_messages.InformationMessage(QStringLiteral("Nie udało się poprawić szkolenia: %1").arg(error), 1, 0, 0);
            }
        }
    }
    finishTrainingCommand(false);
}

void TQelMainForm::QelProjectsDeleteMenuItemClick()
{
    const int number = selectedTrainingNumber();
    if (number < 0)
        return;
    DisableCommands();
    bool deleted = false;
    if (m_messages.Confirmation2Message(QStringLiteral("Czy jesteś pewien że chcesz usunąć to szkolenie ?"), 3, 0, 1)
        == kAnswerYes) {
        QString error;
        if (markTrainingDeleted(m_state.dataDir, number, &error)) {
            const int row = QelProjectsListBox->currentRow();
            delete QelProjectsListBox->takeItem(row);
            // The line above becomes selected; deleting the first line leaves none.
            if (row > 0)
                QelProjectsListBox->setCurrentRow(row - 1);
            else
                selectNone(QelProjectsListBox);
            deleted = true;
        } else {
            m_messages.InformationMessage(QStringLiteral("Nie udało się usunąć szkolenia: %1").arg(error), 1, 0, 0);
        }
    }
    finishTrainingCommand(deleted);
}

} // namespace marbelo
