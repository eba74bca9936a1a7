// Presentation outlines Tree####.pdl: read, built into a tree by their levels,
// saved the way the outline pane saves (pre-order, each item at its depth) and
// read again, which must give back the same tree.

#include "FuzzSupport.h"

#include "store/Outline.h"
#include "store/TreeBuilder.h"

using namespace marbelo;

namespace {

struct Outline
{
    std::vector<OutlineRecord> records;
    FlatTree tree;
};

Outline load(const QString &path)
{
    Outline outline;
    FUZZ_CHECK(readOutline(path, &outline.records));
    TreeBuilder builder;
    for (const OutlineRecord &record : outline.records)
        builder.add(record.level);
    outline.tree = builder.take();
    return outline;
}

// The records the outline pane writes for a tree: pre-order, level = depth.
std::vector<OutlineRecord> saved(const Outline &outline)
{
    std::vector<OutlineRecord> records;
    for (int node : outline.tree.preorder()) {
        OutlineRecord record = outline.records[static_cast<std::size_t>(node)];
        record.level = outline.tree.depth[static_cast<std::size_t>(node)];
        records.push_back(record);
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("Tree0000.pdl"));
    const Outline first = load(path);
    FUZZ_CHECK(first.records.size() == size / kRecordSize);
    FUZZ_CHECK(first.tree.size() == static_cast<int>(first.records.size()));

    const std::vector<OutlineRecord> records = saved(first);
    const QString copy = fuzz::workDir() + QStringLiteral("Tree0001.pdl");
    QString error;
    FUZZ_CHECK(saveOutline(copy, records, &error));
    const QByteArray savedBytes = fuzz::readFile(copy);
    FUZZ_CHECK(savedBytes.size() == qsizetype(records.size()) * kRecordSize);

    // Reading the saved outline gives the saved records and the same tree.
    const Outline second = load(copy);
    FUZZ_CHECK(second.records == records);
    FUZZ_CHECK(second.tree.parent.size() == first.tree.parent.size());
    const std::vector<int> firstOrder = first.tree.preorder();
    for (std::size_t i = 0; i < firstOrder.size(); ++i) {
        // Node i of the saved outline is node firstOrder[i] of the first tree;
        // its parent must be the saved position of the first parent.
        const int oldParent = first.tree.parent[static_cast<std::size_t>(firstOrder[i])];
        const int newParent = second.tree.parent[i];
        FUZZ_CHECK((oldParent < 0) == (newParent < 0));
        if (newParent >= 0)
            FUZZ_CHECK(firstOrder[static_cast<std::size_t>(newParent)] == oldParent);
    }

    // Saving again changes nothing: the saved form is already canonical.
    FUZZ_CHECK(saveOutline(copy, saved(second), &error));
    FUZZ_CHECK(fuzz::readFile(copy) == savedBytes);
    return 0;
}
