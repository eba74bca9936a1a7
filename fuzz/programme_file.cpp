// Programme files Plan####.pdl: parsed from any bytes, written back and read
// again, which must give back the same programme; and loaded beside an
// outline, where no hours may land on an item the entry does not name.

#include "FuzzSupport.h"

#include "trainings/OutlineTree.h"
#include "store/Outline.h"
#include "store/ProgrammeFile.h"

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ProgrammeData programme;
    if (parseProgramme(bytes, &programme)) {
        // No entry is made up: each took at least ten bytes.
        FUZZ_CHECK(programme.entries.size() <= size / 10);
        ProgrammeData again;
        FUZZ_CHECK(parseProgramme(programmeBytes(programme), &again));
        FUZZ_CHECK(again == programme);
    }

    // Beside a small outline, through the loader the program uses.
    const QString outline = fuzz::workDir() + QStringLiteral("Tree0000.pdl");
    const std::vector<OutlineRecord> records = {{QStringLiteral("A"), 0, kHeadingFlag},
                                                {QStringLiteral("B"), 1, 0},
                                                {QStringLiteral("s"), 1, 0x10}};
    QString error;
    FUZZ_CHECK(saveOutline(outline, records, &error));
    fuzz::writeFile(fuzz::workDir() + QStringLiteral("Plan0000.pdl"), bytes);
    const OutlineTree tree = OutlineTree::load(outline);
    const std::vector<OutlineRecord> loaded = tree.records();
    FUZZ_CHECK(loaded.size() == records.size());
    FUZZ_CHECK(!loaded[2].hours); // a slide never carries hours
    const QStringList paths[] = {{QStringLiteral("A")}, {QStringLiteral("A"), QStringLiteral("B")}};
    for (int i = 0; i < 2; ++i) {
        if (!loaded[static_cast<std::size_t>(i)].hours)
            continue;
        // Hours that landed came from an entry naming this item at this place.
        bool named = false;
        for (const ProgrammeEntry &entry : programme.entries)
            named = named || (entry.position == i && entry.path == paths[i]
                              && entry.hours == *loaded[static_cast<std::size_t>(i)].hours);
        FUZZ_CHECK(named);
    }
    return 0;
}
