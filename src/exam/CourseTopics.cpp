#include "exam/CourseTopics.h"

#include "trainings/OutlineTree.h"
#include "trainings/Programme.h"
#include "store/TopicFile.h"
#include "topics/ModuleLibrary.h"

#include <QHash>

namespace marbelo::exam {

std::vector<LibraryTopic> libraryTopics(const QStringList &dirs)
{
    std::vector<LibraryTopic> topics;
    for (const ModuleEntry &entry : discoverModules(dirs)) {
        TopicFile file;
        if (!readTopicFile(entry.path(), &file))
            continue;
        LibraryTopic topic{file.title.trimmed(), {}};
        for (const TopicNode &node : file.nodes)
            topic.details << node.name.trimmed();
        topics.push_back(topic);
    }
    return topics;
}

std::vector<UsedTopic> topicsOfOutline(const OutlineTree &tree, const std::vector<LibraryTopic> &library)
{
    // A name may be a title of one topic and a detail of another: the title wins.
    QHash<QString, int> topicOfName;
    for (int i = 0; i < int(library.size()); ++i)
        for (const QString &detail : library[std::size_t(i)].details)
            topicOfName.insert(detail, i);
    for (int i = 0; i < int(library.size()); ++i)
        topicOfName.insert(library[std::size_t(i)].title, i);

    std::vector<UsedTopic> used;
    QHash<int, std::size_t> usedIndex;
    const auto use = [&](OutlineNode node) -> int {
        const auto found = topicOfName.constFind(tree.name(node).trimmed());
        if (found == topicOfName.constEnd())
            return -1;
        if (!usedIndex.contains(*found)) {
            usedIndex.insert(*found, used.size());
            used.push_back({library[std::size_t(*found)].title, 0});
        }
        return int(usedIndex.value(*found));
    };
    for (const OutlineNode top : tree.children(kOutlineRoot)) {
        QList<int> within;
        for (const OutlineNode node : tree.preorder()) {
            if (tree.isWithin(node, top) || node == top) {
                const int index = use(node);
                if (index >= 0 && !within.contains(index))
                    within << index;
            }
        }
        const int quarters = countedHours(tree, top).total();
        if (!within.isEmpty() && quarters > 0) {
            // Shares in sixtieths of a quarter, so splitting among up to six stays exact.
            for (const int index : within)
                used[std::size_t(index)].quarters += quarters * 60 / int(within.size());
        }
    }
    return used;
}

} // namespace marbelo::exam
