// Copying detailed topics into the outline.

#include "shell/ui/MainForm.h"

#include "shell/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/ItemReference.h"
#include "store/SlideBlocks.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QFile>

namespace marbelo {

namespace {

// The coded slide bytes pass through Copy.jpg on their way into the image
// store: written, then read back whole.
bool writeCopyJpg(const QString &path, const QByteArray &coded)
{
    std::unique_ptr<Stream> copy;
    return OpenStream(copy, path, kOpenCreate, 1) && copy->writeAll(coded) && copy->flush();
}

bool readCopyJpg(const QString &path, std::int32_t expectedSize, QByteArray *bytes)
{
    std::unique_ptr<Stream> copy;
    return OpenStream(copy, path, kOpenRead, 1) && copy->size() == expectedSize
           && copy->readExactly(bytes, expectedSize);
}

} // namespace

void TQelMainForm::AppendTopicToOutline(QTreeWidgetItem *target, Placement placement)
{
    const QString topicPath = selectedModuleFile();
    const QTreeWidgetItem *source = QelModuleTreeView->selectedItem();
    const int number = selectedTrainingNumber();
    if (topicPath.isEmpty() || !source || number < 0)
        return;
    const QString copyPath = m_state.dataDir + kCopyJpgName;
    // A Copy.jpg left over from an earlier run must never be stored.
    QFile::remove(copyPath);

    // Every step either succeeds or names its failure; the item is added only
    // when the slide is safely in the image store.
    QString failure;
    std::optional<std::int32_t> offset;
    std::unique_ptr<Stream> topic;
    if (!OpenStream(topic, topicPath, kOpenRead, 0)) {
        failure = QStringLiteral("nie można otworzyć pliku tematu");
    } else {
        QByteArray coded;
        const bool read =
            readSlideBlock(*topic, static_cast<std::int32_t>(slideOffset(PaneTree::referenceOf(source))), &coded);
        topic.reset();
        QByteArray bytes;
        QString error;
        if (!read)
            failure = QStringLiteral("slajd tematu jest uszkodzony");
        else if (!writeCopyJpg(copyPath, coded))
            failure = QStringLiteral("nie można utworzyć pliku %1").arg(kCopyJpgName);
        else if (!readCopyJpg(copyPath, static_cast<std::int32_t>(coded.size()), &bytes))
            failure = QStringLiteral("nie można odczytać pliku %1").arg(kCopyJpgName);
        else if (!(offset = appendSlideBlock(m_state.dataDir + imageStoreFileName(number), bytes, &error)))
            failure = error;
    }

    if (offset) {
        auto *item = new QTreeWidgetItem;
        item->setText(0, source->text(0));
        // A copied topic is never a heading, whatever the topic was.
        PaneTree::setReference(item, static_cast<ItemReference>(*offset));
        if (placement == Placement::Before && target) {
            QTreeWidgetItem *parent = target->parent();
            if (parent)
                parent->insertChild(parent->indexOfChild(target), item);
            else
                QelProjectsTreeView->insertTopLevelItem(QelProjectsTreeView->indexOfTopLevelItem(target), item);
        } else if (target) {
            target->addChild(item);
        } else {
            QelProjectsTreeView->addTopLevelItem(item);
        }
        if (QTreeWidgetItem *selected = QelProjectsTreeView->selectedItem())
            selected->setExpanded(true);
    }
    QFile::remove(copyPath);
    if (offset)
        LayoutViewPanel();
    if (!failure.isEmpty()) {
        m_messages.InformationMessage(
            QStringLiteral("Nie udało się skopiować tematu do prezentacji (%1). Prezentacja szkolenia nie została "
                           "zmieniona.")
                .arg(failure.endsWith(QLatin1Char('.')) ? failure.chopped(1) : failure),
            1, 0, 0);
    }
    SaveProjectTree();
}

void TQelMainForm::QelModulesMoveMenuItemClick()
{
    AppendTopicToOutline(QelProjectsTreeView->selectedItem(), Placement::LastChild);
    RefreshCommands();
}

void TQelMainForm::QelModuleTreeViewDblClick()
{
    const QTreeWidgetItem *topic = QelModuleTreeView->selectedItem();
    QTreeWidgetItem *section = QelProjectsTreeView->selectedItem();
    if (!topic || !hasSlide(PaneTree::referenceOf(topic)) || QelProjectsTreeView->topLevelItemCount() == 0
        || !section || !mayReceiveTopics(PaneTree::referenceOf(section)))
        return;
    AppendTopicToOutline(section, Placement::LastChild);
    RefreshCommands();
}

} // namespace marbelo
