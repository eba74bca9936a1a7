// Saves two outlines (with their programme files) over the same files in
// turn, as fast as it can, until it is killed: the crash-consistency test
// kills it at random moments.
// Usage: outline-saver PATH; prints "saving" once the first save is done.

#include "CrashOutlines.h"

#include "trainings/OutlineTree.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: outline-saver PATH\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const marbelo::OutlineTree outlines[] = {marbelo::OutlineTree::fromRecords(crash_outlines::small()),
                                             marbelo::OutlineTree::fromRecords(crash_outlines::large())};
    QString error;
    for (unsigned long i = 1;; ++i) {
        if (!outlines[i % 2].save(path, &error)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
            return 1;
        }
        if (i == 1) {
            std::fputs("saving\n", stdout);
            std::fflush(stdout);
        }
    }
}
