// The topic library pane: the framework-topic list, the detailed-topic tree
// of the selected line, the search and find next over both, and the source
// of the topics copied into outlines.
#pragma once

#include "common/ui/PaneInterfaces.h"

#include <QObject>
#include <QStringList>

#include <utility>
#include <vector>

namespace marbelo {

struct CommandConditions;
class Messages;
class PaneList;
class PaneTree;
struct SearchHit;

// What the search remembers between "Szukaj" and "Szukaj dalej".
struct TopicSearchState
{
    bool findActive = false; // a search can be continued
    int findModuleIndex = 0; // the list line it continues at
    int findNodeIndex = 0;   // the node of that line it continues at
    QString findText;        // the phrase, upper case
    int savedModuleIndex = 0; // selection before the search, restored when nothing is found
    int savedNodeIndex = 0;
};

class TopicLibraryPane : public QObject, public TopicSource
{
    Q_OBJECT
public:
    // libraryDirs: the folders whose topic files are listed.
    TopicLibraryPane(const QStringList &libraryDirs, Messages &messages, CommandFrame &frame, SlidePreview &preview,
                     QWidget *dialogOwner);

    PaneList *list() const { return m_list; }
    PaneTree *tree() const { return m_tree; }

    // Start of the program: pale yellow panes, the list and the tree loaded.
    void startUp();
    // End of the program: the running indices are forgotten.
    void shutDown();
    void addConditions(CommandConditions *conditions) const;
    bool isSearching() const { return m_searching; }
    const TopicSearchState &searchState() const { return m_search; }
    // File path and running index of every framework topic listed (ModuleFiles).
    const std::vector<std::pair<QString, int>> &moduleFiles() const { return m_moduleFiles; }

    std::optional<SelectedTopic> selectedTopic() const override;
    bool isTopicTree(const QObject *dragSource) const override;

public slots:
    void findInTopics();
    void findNextInTopics();

signals:
    // The detailed topic was double-clicked: copy it into the outline.
    void topicDoubleClicked();

private:
    void loadModuleList();
    void loadModuleTree();
    QString selectedModuleFile() const; // full path, or empty when none
    void chooseModuleLine();
    void showSelectedTopicSlide();
    // The library is read in a worker thread while the window stays live.
    SearchHit searchLibrary(int startLine, int startNode);
    void recordSearchHit(const SearchHit &hit);
    // After a walk without a hit: nothing is left to continue, the phrase is forgotten.
    void endSearch();
    void selectModuleLine(int row);
    void selectModuleNode(int flatIndex);

    QStringList m_libraryDirs;
    Messages &m_messages;
    CommandFrame &m_frame;
    SlidePreview &m_preview;
    QWidget *m_dialogOwner;
    PaneList *m_list;
    PaneTree *m_tree;
    std::vector<std::pair<QString, int>> m_moduleFiles;
    TopicSearchState m_search;
    bool m_searching = false;
};

} // namespace marbelo
