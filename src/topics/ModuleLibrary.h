// The framework topics of the data directory: every entry matching "*.mdl",
// numbered by a running index in the order found, listed sorted by title.
#pragma once

#include <QString>

#include <vector>

namespace marbelo {

struct ModuleEntry
{
    QString fileName; // bare name as found in the directory
    int runningIndex = 0;
    QString title;
};

// Entries in discovery order. An entry that cannot be opened (a directory named
// *.mdl, an unreadable file, a corrupt title) is skipped and gets no index.
std::vector<ModuleEntry> discoverModules(const QString &dataDir);

// The entries in list order: by title with Polish collation ("Ł" after "L");
// equal titles all stay, in discovery order.
std::vector<ModuleEntry> sortedByTitle(std::vector<ModuleEntry> entries);

} // namespace marbelo
