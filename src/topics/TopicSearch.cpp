#include "topics/TopicSearch.h"

#include "store/TopicFile.h"

#include <QDir>

#include <algorithm>

namespace marbelo {

bool phraseMatches(const QString &text, const QString &findText)
{
    return !findText.isEmpty() && text.toUpper().contains(findText);
}

SearchHit findInLibrary(const QString &dataDir, const std::vector<SearchLine> &lines,
                        const QString &findText, int startLine, int startNode)
{
    SearchHit hit;
    if (findText.isEmpty() || startLine < 0)
        return hit;
    const int lineCount = static_cast<int>(lines.size());
    for (int i = startLine; i < lineCount; ++i) {
        const SearchLine &line = lines[static_cast<std::size_t>(i)];
        hit.line = i;
        hit.lastLine = i == lineCount - 1;
        if (phraseMatches(line.title, findText)) {
            hit.found = true;
            return hit; // the tree is not read for a title hit
        }
        TopicFile file;
        if (line.fileName.isEmpty() || !readTopicFile(QDir(dataDir).filePath(line.fileName), &file))
            file = TopicFile();
        const std::vector<int> order = file.tree.preorder();
        hit.nodeCount = static_cast<int>(order.size());
        const int first = i == startLine ? std::max(startNode, 0) : 0;
        for (int j = first; j < hit.nodeCount; ++j) {
            // The file is ours: its names are upper-cased in place.
            QString &name = file.nodes[static_cast<std::size_t>(order[static_cast<std::size_t>(j)])].name;
            if (std::move(name).toUpper().contains(findText)) {
                hit.found = true;
                hit.node = j;
                hit.lastNode = j == hit.nodeCount - 1;
                return hit;
            }
        }
    }
    return SearchHit();
}

} // namespace marbelo
