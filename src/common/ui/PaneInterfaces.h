// The small interfaces through which the main window's panes talk to each
// other and to the window, so that no pane includes another pane's header.
#pragma once

#include "store/ItemReference.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QObject;

namespace marbelo {

class OutlineTree;

// What the window does for every pane: command availability around dialogs
// and after selection changes, and the one gate on pane input (closed while
// a topic search runs, so that nothing acts on a tree under the search).
class CommandFrame
{
public:
    virtual ~CommandFrame() = default;
    virtual void refreshCommands() = 0;
    virtual void disableCommands() = 0;
    virtual void enableCommands() = 0;
    virtual bool paneInputBlocked() const = 0;
};

// Greys out the window's commands for the life of a command's dialog or
// work; on scope exit enables them again and refreshes their availability.
class CommandsDisabled
{
public:
    explicit CommandsDisabled(CommandFrame &frame) : m_frame(frame) { m_frame.disableCommands(); }
    ~CommandsDisabled()
    {
        m_frame.enableCommands();
        m_frame.refreshCommands();
    }
    CommandsDisabled(const CommandsDisabled &) = delete;
    CommandsDisabled &operator=(const CommandsDisabled &) = delete;

private:
    CommandFrame &m_frame;
};

// The detailed topic selected in the topic library: the source of copies.
struct SelectedTopic
{
    QString path; // the topic file
    ItemReference reference = 0;
    QString name;
};

class TopicSource
{
public:
    virtual ~TopicSource() = default;
    // The selected detailed topic and its file, or none.
    virtual std::optional<SelectedTopic> selectedTopic() const = 0;
    // True when a drag started in the detailed-topic tree.
    virtual bool isTopicTree(const QObject *dragSource) const = 0;
    // The file of the framework topic selected in the list; empty when none.
    virtual QString selectedModuleFile() const = 0;
};

// The training selected in the training list.
class TrainingSource
{
public:
    virtual ~TrainingSource() = default;
    // Its training number, or -1 when none is selected.
    virtual int selectedTrainingNumber() const = 0;
};

// What the paperwork says before a training leaves the catalogue: why it
// must stay (its courses issued certificates), or empty.
class TrainingKeeper
{
public:
    virtual ~TrainingKeeper() = default;
    virtual QString whyTrainingStays(int training) = 0;
};

// The slide preview pane, as the panes whose selection it shows see it.
class SlidePreview
{
public:
    virtual ~SlidePreview() = default;
    // Shows the slide of an item with this reference, read from the file at
    // path: the title labels for an item without a slide,
    // nothing for a block that cannot be read.
    virtual void showSlideOf(ItemReference reference, const QString &path) = 0;
    // No slide shown: the title labels.
    virtual void showTitle() = 0;
    // Lays the pane out again for what it shows.
    virtual void relayout() = 0;
};

// The outline of the selected training, as the presentation commands read it.
class OutlineSource
{
public:
    virtual ~OutlineSource() = default;
    // Item references in pre-order, whichever items are expanded.
    virtual std::vector<ItemReference> outlineReferences() const = 0;
    // The outline itself, with its headings' hours and the training's form.
    virtual const OutlineTree &outlineTree() const = 0;
};

} // namespace marbelo
