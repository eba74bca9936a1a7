// Framework topic files (*.mdl): a coded title, then detailed-topic records of
// four coded text fields (name, depth, heading mark, slide mark), each record
// followed by a slide block unless its slide mark is "0".
#pragma once

#include "store/ItemReference.h"
#include "store/TreeBuilder.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace marbelo {

class Stream;

struct TopicNode
{
    QString name;
    ItemReference reference = 0;
};

struct TopicFile
{
    QString title;
    std::vector<TopicNode> nodes; // in record order; tree.parent etc. index these
    FlatTree tree;
    bool complete = true;         // false when reading stopped at a corrupt length
};

// One coded text field at the stream's position: decoded and turned into text.
bool readCodedText(Stream &stream, QString *text);

// The title only. False when the file cannot be opened or its title is corrupt.
bool readTopicTitle(const QString &path, QString *title);

// Title and tree. A length that is negative or runs past the end of the file
// ends the reading at the last whole record. A depth that is not a number counts
// as 0. False only when the file cannot be opened or has no whole title.
bool readTopicFile(const QString &path, TopicFile *file);

// One record as it is written: plain 8-bit field texts and, when the slide
// mark is not "0", the plain JPEG bytes of the slide block.
struct TopicRecordSource
{
    QByteArray name;
    QByteArray depth;
    QByteArray heading;
    QByteArray slide;
    QByteArray jpeg;
};

// The bytes of a whole topic file: every field and slide coded.
QByteArray buildTopicFile(const QByteArray &title, const std::vector<TopicRecordSource> &records);

} // namespace marbelo
