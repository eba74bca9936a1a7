// Which framework topics a training's outline uses, and their planned time:
// an outline item uses a topic when its name is the topic's title or the
// name of one of its detailed topics (copies into an outline keep the
// names). A top-level heading's counted hours are shared equally among the
// topics used within it.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo {
class OutlineTree;
}

namespace marbelo::exam {

struct LibraryTopic
{
    QString title;
    QStringList details; // the names of its detailed topics
};

struct UsedTopic
{
    QString title;
    int quarters = 0; // share of planned time in 1/60 quarter hours, 0 when none
};

// The framework topics of the library folders, by title.
std::vector<LibraryTopic> libraryTopics(const QStringList &dirs);
// The topics in the order the outline first uses them.
std::vector<UsedTopic> topicsOfOutline(const OutlineTree &tree, const std::vector<LibraryTopic> &library);

} // namespace marbelo::exam
