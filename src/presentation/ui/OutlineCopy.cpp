// Copying detailed topics into the outline: the slide's coded bytes pass
// through Copy.jpg to the end of the training's image store, and a new item
// with the new offset joins the outline.

#include "presentation/ui/OutlinePane.h"

#include "common/ui/PaneWidgets.h"
#include "store/DataFiles.h"
#include "store/SlideBlocks.h"
#include "store/components/Messages.h"
#include "store/components/Stream.h"

#include <QFile>

namespace marbelo {

namespace {

// Written, then read back whole.
bool writeCopyJpg(const QString &path, const QByteArray &coded)
{
    std::unique_ptr<Stream> copy = openStream(path, OpenMode::Create);
    return copy && copy->writeAll(coded) && copy->flush();
}

bool readCopyJpg(const QString &path, std::int32_t expectedSize, QByteArray *bytes)
{
    std::unique_ptr<Stream> copy = openStream(path, OpenMode::Read);
    return copy && copy->size() == expectedSize
           && copy->readExactly(bytes, expectedSize);
}

// Appends the topic's slide to the image store through Copy.jpg; the offset
// of the new block, or why there is none.
std::optional<std::int32_t> storeTopicSlide(const SelectedTopic &topic, const QString &copyPath,
                                            const QString &storePath, QString *failure)
{
    std::unique_ptr<Stream> file = openStream(topic.path, OpenMode::Read);
    if (!file) {
        *failure = QStringLiteral("nie można otworzyć pliku tematu");
        return std::nullopt;
    }
    QByteArray coded;
    const bool read = readSlideBlock(*file, static_cast<std::int32_t>(slideOffset(topic.reference)), &coded);
    file.reset();
    QByteArray bytes;
    std::optional<std::int32_t> offset;
    if (!read)
        *failure = QStringLiteral("slajd tematu jest uszkodzony");
    else if (!writeCopyJpg(copyPath, coded))
        *failure = QStringLiteral("nie można utworzyć pliku %1").arg(kCopyJpgName);
    else if (!readCopyJpg(copyPath, static_cast<std::int32_t>(coded.size()), &bytes))
        *failure = QStringLiteral("nie można odczytać pliku %1").arg(kCopyJpgName);
    else if (!(offset = appendSlideBlock(storePath, bytes, failure)))
        return std::nullopt;
    return offset;
}

} // namespace

void OutlinePane::appendTopic(std::optional<OutlineNode> target, Placement placement)
{
    const std::optional<SelectedTopic> topic = m_topics.selectedTopic();
    const int number = m_trainings.selectedTrainingNumber();
    if (!topic || topic->path.isEmpty() || number < 0)
        return;
    const QString copyPath = m_dataDir + kCopyJpgName;
    // A Copy.jpg left over from an earlier run must never be stored.
    QFile::remove(copyPath);

    // The item is added only when the slide is safely in the image store.
    QString failure;
    const std::optional<std::int32_t> offset =
        storeTopicSlide(*topic, copyPath, m_dataDir + imageStoreFileName(number), &failure);
    if (offset) {
        // A copied topic is never a heading, whatever the topic was.
        const OutlineNode node =
            m_outline.insert(m_outline.slotFor(target, placement), topic->name, static_cast<ItemReference>(*offset));
        m_items.add(node);
        // Undone, the item goes and its slide stays in the store; redone, the
        // item comes back with the same reference.
        remember(QStringLiteral("Kopiuj temat"), insertionEdits(m_outline, node));
        if (QTreeWidgetItem *selected = m_tree->selectedItem())
            selected->setExpanded(true);
    }
    QFile::remove(copyPath);
    if (offset)
        m_preview.relayout();
    if (!offset) {
        m_messages.inform(
            QStringLiteral("Nie udało się skopiować tematu do prezentacji (%1). Prezentacja szkolenia nie została "
                           "zmieniona.")
                .arg(failure.endsWith(QLatin1Char('.')) ? failure.chopped(1) : failure));
    }
    saveOutline();
}

void OutlinePane::copySelectedTopic()
{
    // "Kopiuj"
    appendTopic(selectedNode(), Placement::LastChild);
    m_frame.refreshCommands();
}

void OutlinePane::copyDoubleClickedTopic()
{
    // A double click on a detailed topic with a slide copies it into the
    // selected item that may receive topics; otherwise nothing happens.
    const std::optional<SelectedTopic> topic = m_topics.selectedTopic();
    const std::optional<OutlineNode> section = selectedNode();
    if (!topic || !hasSlide(topic->reference) || m_outline.isEmpty() || !section
        || !mayReceiveTopics(m_outline.reference(*section)))
        return;
    appendTopic(section, Placement::LastChild);
    m_frame.refreshCommands();
}

} // namespace marbelo
