// The topic library pane: the framework-topic list, the detailed-topic tree
// of the selected line, the search and find next over both, and the source
// of the topics copied into outlines.
#pragma once

#include "common/ui/PaneInterfaces.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace marbelo {

struct CommandConditions;
class Messages;
class OpenFilesDialog;
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
    // libraryDirs: the folders whose topic files are listed; dataDir: where
    // imported topics go.
    TopicLibraryPane(const QStringList &libraryDirs, const QString &dataDir, Messages &messages, CommandFrame &frame, SlidePreview &preview,
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
    // File path and running index of every framework topic listed, in list order.
    const std::vector<std::pair<QString, int>> &moduleFiles() const { return m_moduleFiles; }

    std::optional<SelectedTopic> selectedTopic() const override;
    bool isTopicTree(const QObject *dragSource) const override;
    QString selectedModuleFile() const override;

    // The slide import's file dialog; a QFileDialog unless one is set.
    void setOpenFilesDialog(std::shared_ptr<OpenFilesDialog> dialog) { m_openFilesDialog = std::move(dialog); }

public slots:
    void findInTopics();
    void findNextInTopics();
    void importSlides();
    void renameOwnTopic();
    void deleteOwnTopic();

signals:
    // The detailed topic was double-clicked: copy it into the outline.
    void topicDoubleClicked();

private:
    void loadModuleList();
    void loadModuleTree();
    void chooseModuleLine();
    void showSelectedTopicSlide();
    // The library is read in a worker thread while the window stays live.
    SearchHit searchLibrary(int startLine, int startNode);
    void recordSearchHit(const SearchHit &hit);
    // After a walk without a hit: nothing is left to continue, the phrase is forgotten.
    void endSearch();
    void selectModuleLine(int row);
    void selectModuleNode(int flatIndex);
    // Own topics: imported into the data directory, known by their file name.
    bool selectedModuleIsOwn() const;
    // The list read again with the topic at path (or else line row) selected.
    void reloadModuleList(const QString &path, int row = 0);

    QStringList m_libraryDirs;
    QString m_dataDir;
    Messages &m_messages;
    CommandFrame &m_frame;
    SlidePreview &m_preview;
    QWidget *m_dialogOwner;
    PaneList *m_list;
    PaneTree *m_tree;
    std::vector<std::pair<QString, int>> m_moduleFiles;
    TopicSearchState m_search;
    bool m_searching = false;
    std::shared_ptr<OpenFilesDialog> m_openFilesDialog;
};

} // namespace marbelo
