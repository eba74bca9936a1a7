// The outline pane: the selected training's presentation outline, shown in
// a tree widget kept in step with the outline model; the seven editing
// commands, the copies of topics into it and the drops on it. Every change
// is saved at once.
#pragma once

#include "common/ui/PaneInterfaces.h"
#include "trainings/DropPlacement.h"
#include "trainings/OutlineEditing.h"
#include "trainings/OutlineHistory.h"
#include "trainings/OutlineTree.h"
#include "presentation/ui/OutlineItems.h"

#include <QObject>
#include <QUndoStack>

#include <map>
#include <memory>
#include <set>

class QLabel;
class QPoint;
class QTreeWidgetItem;

namespace marbelo {

struct CommandConditions;
class Messages;
class PaneTree;

class OutlinePane : public QObject, public OutlineSource
{
    Q_OBJECT
public:
    OutlinePane(const QString &dataDir, Messages &messages, CommandFrame &frame, const TrainingSource &trainings,
                const TopicSource &topics, SlidePreview &preview, QWidget *dialogOwner);

    PaneTree *tree() const { return m_tree; }
    const OutlineTree &outline() const { return m_outline; }
    const OutlineTree &outlineTree() const override { return m_outline; }
    // The line under the caption strip: the programme's hours against the
    // minimum of the training's type.
    QLabel *programmeLine() const { return m_programmeLine; }
    void startUp();
    void addConditions(CommandConditions *conditions) const;
    std::vector<ItemReference> outlineReferences() const override;
    // The selected training's outline history, or none yet.
    const QUndoStack *history() const;
    // A drop at a point of the tree's viewport, from the tree the drag
    // started in (null: from elsewhere).
    void dropAt(const QObject *dragSource, const QPoint &viewportPos);

signals:
    // The selected training's history changed, or another training's is shown.
    void historyChanged();

public slots:
    // Shows the outline of the training selected now, read from its outline file.
    void loadOutline();
    void newItem();
    void renameItem();
    void moveItemUpALevel();
    void moveItemUp();
    void moveItemDown();
    void moveItemDownALevel();
    void deleteItem();
    // "Liczba godzin..."
    void setItemHours();
    // The hours after each heading and the programme line, as they are now
    // (also after the training's type changed).
    void showProgramme();
    void copySelectedTopic();
    void copyDoubleClickedTopic();
    void undo();
    void redo();
    // A training number was given to a new training: an old history of
    // that number no longer fits its outline.
    void forgetHistory(int number);

private:
    // Saves the outline whole through a save file; tells the user when it cannot.
    bool saveOutline(bool fromHistory = false);
    // Puts a change into the selected training's history.
    void remember(const QString &text, const std::pair<OutlineEdit, OutlineEdit> &edits);
    // Replays an edit of the history on the outline and its tree, selects the
    // item it touched and saves; false when it could not be applied or saved.
    bool applyEdit(const OutlineEdit &edit);
    void stepHistory(bool back);
    void showSelectedItemSlide();
    void moveSelectedItem(OutlineMove move);
    // Copies the selected detailed topic with its slide into the outline,
    // relative to target (none: the top level's end).
    void appendTopic(std::optional<OutlineNode> target, Placement placement);
    std::optional<OutlineNode> selectedNode() const;

    QString m_dataDir;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    const TopicSource &m_topics;
    SlidePreview &m_preview;
    QWidget *m_dialogOwner;
    PaneTree *m_tree;
    QLabel *m_programmeLine;
    OutlineTree m_outline;
    OutlineItems m_items;
    std::map<int, std::unique_ptr<QUndoStack>> m_histories; // per training number
    std::set<int> m_unsaved;      // trainings whose last save failed: their history ends at a reload
    bool m_historyFailed = false; // an undo or redo could not be applied or saved
};

} // namespace marbelo
