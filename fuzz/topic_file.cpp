// Topic files (*.mdl) as the library loads them: the title alone, the title and
// the tree of detailed topics, the slide of every node that has one, and the
// search that walks the same tree.

#include "FuzzSupport.h"

#include "store/Cp1250.h"
#include "store/SlideBlocks.h"
#include "store/TopicFile.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"
#include "topics/TopicSearch.h"

#include <vector>

using namespace marbelo;

namespace {

// The parent rule done the slow, literal way: scan the tree's pre-order from
// its last node back and take the first node one level up.
std::vector<int> parentsByBackwardScan(const std::vector<long long> &depths)
{
    FlatTree tree;
    for (long long stored : depths) {
        const std::vector<int> order = tree.preorder();
        int found = -1;
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            if (tree.depth[static_cast<std::size_t>(*it)] + 1 == stored) {
                found = *it;
                break;
            }
        }
        const int index = tree.size();
        tree.parent.push_back(found);
        tree.depth.push_back(found < 0 ? 0 : tree.depth[static_cast<std::size_t>(found)] + 1);
        tree.children.emplace_back();
        (found < 0 ? tree.roots : tree.children[static_cast<std::size_t>(found)]).push_back(index);
    }
    return tree.parent;
}

struct PlainRecord
{
    QByteArray name;
    long long depth = 0;
    ItemReference reference = 0;
};

struct PlainReading
{
    QByteArray title;
    std::vector<PlainRecord> records;
    bool complete = true;
};

// Reads a topic file held in memory, field by field, without any window or stream.
bool readPlainly(const QByteArray &bytes, PlainReading *out)
{
    qsizetype at = 0;
    const auto length = [&](qint64 *value) {
        if (bytes.size() - at < 4)
            return false;
        const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
        *value = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8
                                           | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
        at += 4;
        return *value >= 0 && *value <= bytes.size() - at;
    };
    const auto field = [&](QByteArray *text) {
        qint64 n = 0;
        if (!length(&n))
            return false;
        *text = BCodeToStr(bytes.mid(at, n));
        at += n;
        return true;
    };
    if (!field(&out->title))
        return false;
    while (at < bytes.size()) {
        PlainRecord record;
        QByteArray depth, heading, slide;
        if (!field(&record.name) || !field(&depth) || !field(&heading) || !field(&slide)) {
            out->complete = false;
            break;
        }
        if (slide == "1")
            record.reference = static_cast<ItemReference>(at) & kOffsetMask;
        if (heading == "1")
            record.reference |= kHeadingFlag;
        if (slide != "0") {
            qint64 n = 0;
            if (!length(&n)) {
                out->complete = false;
                break;
            }
            at += n;
        }
        bool ok = false;
        record.depth = depth.toLongLong(&ok);
        if (!ok)
            record.depth = 0;
        out->records.push_back(record);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("input.mdl"));

    QString title;
    const bool titleRead = readTopicTitle(path, &title);
    TopicFile file;
    const bool read = readTopicFile(path, &file);
    FUZZ_CHECK(titleRead == read);
    if (!read)
        return 0;
    FUZZ_CHECK(title == file.title);

    const FlatTree &tree = file.tree;
    const std::size_t count = file.nodes.size();
    FUZZ_CHECK(static_cast<std::size_t>(tree.size()) == count);
    FUZZ_CHECK(tree.depth.size() == count && tree.children.size() == count);

    // Every node appears once in pre-order, below a parent that came before it.
    const std::vector<int> order = tree.preorder();
    FUZZ_CHECK(order.size() == count);
    std::vector<bool> seen(count, false);
    for (int node : order) {
        FUZZ_CHECK(node >= 0 && static_cast<std::size_t>(node) < count && !seen[static_cast<std::size_t>(node)]);
        seen[static_cast<std::size_t>(node)] = true;
        const int parent = tree.parent[static_cast<std::size_t>(node)];
        FUZZ_CHECK(parent < node);
        FUZZ_CHECK(tree.depth[static_cast<std::size_t>(node)]
                   == (parent < 0 ? 0 : tree.depth[static_cast<std::size_t>(parent)] + 1));
    }

    // A second, plain reading of the same bytes gives the same names, marks,
    // completeness and, by the literal parent rule, the same tree.
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    PlainReading plain;
    FUZZ_CHECK(readPlainly(bytes, &plain));
    FUZZ_CHECK(plain.complete == file.complete && plain.records.size() == count);
    FUZZ_CHECK(decodeCp1250(plain.title) == file.title);
    std::vector<long long> depths;
    for (std::size_t i = 0; i < count; ++i) {
        FUZZ_CHECK(decodeCp1250(plain.records[i].name) == file.nodes[i].name);
        FUZZ_CHECK(plain.records[i].reference == file.nodes[i].reference);
        depths.push_back(plain.records[i].depth);
    }
    if (count <= 300)
        FUZZ_CHECK(parentsByBackwardScan(depths) == tree.parent);

    // A node marked as having a slide points at a whole block inside the file.
    std::unique_ptr<Stream> stream = openStream(path, OpenMode::Read);
    FUZZ_CHECK(stream);
    for (const TopicNode &node : file.nodes) {
        if (!hasSlide(node.reference))
            continue;
        QByteArray coded;
        FUZZ_CHECK(readSlideBlock(*stream, static_cast<std::int32_t>(slideOffset(node.reference)), &coded));
    }

    // The search finds the first non-blank node name no later than that node.
    for (std::size_t k = 0; k < order.size(); ++k) {
        const QString phrase = file.nodes[static_cast<std::size_t>(order[k])].name.toUpper();
        if (phrase.trimmed().isEmpty() || phraseMatches(file.title, phrase))
            continue;
        const SearchHit hit = findInLibrary(fuzz::workDir(), {{file.title, QStringLiteral("input.mdl")}}, phrase);
        FUZZ_CHECK(hit.found && hit.line == 0 && hit.node >= 0 && static_cast<std::size_t>(hit.node) <= k);
        break;
    }
    return 0;
}
