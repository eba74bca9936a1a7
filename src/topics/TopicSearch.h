// Looks for a phrase in the topic library without any widgets: the titles of
// the framework topics in list order and, after each title, the names of its
// detailed topics in the tree's pre-order.
#pragma once

#include <QString>

#include <vector>

namespace marbelo {

// One line of the framework-topic list.
struct SearchLine
{
    QString title;
    QString fileName; // name in the data directory or a full path; empty when unknown
};

struct SearchHit
{
    bool found = false;
    int line = -1;          // list line of the hit
    int node = -1;          // flat pre-order index of the node, -1 for the title
    int nodeCount = 0;      // nodes in that line's tree (not counted for a title hit)
    bool lastNode = false;  // the hit node is the last of its tree
    bool lastLine = false;  // the hit lies on the list's last line
};

// True when the upper-case form of text contains findText (already upper case).
bool phraseMatches(const QString &text, const QString &findText);

// The first hit from (startLine, startNode) on: the title of startLine is
// compared again, its nodes from startNode on, every later line from its
// title and node 0. A line whose file cannot be read has an empty tree. An
// empty phrase is never found.
SearchHit findInLibrary(const QString &dataDir, const std::vector<SearchLine> &lines,
                        const QString &findText, int startLine = 0, int startNode = 0);

} // namespace marbelo
