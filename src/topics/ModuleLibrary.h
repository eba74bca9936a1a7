// The framework topics of the library folders: every entry matching "*.mdl",
// numbered by a running index in the order found, listed sorted by title.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo {

struct ModuleEntry
{
    QString fileName; // bare name as found in the directory
    int runningIndex = 0;
    QString title;
    QString dir = {}; // the folder it was found in, with its trailing separator

    QString path() const { return dir + fileName; }
};

// Entries in discovery order. An entry that cannot be opened (a directory named
// *.mdl, an unreadable file, a corrupt title) is skipped and gets no index.
std::vector<ModuleEntry> discoverModules(const QString &dataDir);
// The same over several folders in turn: the running index goes on from one
// folder to the next, so that every index names one file.
std::vector<ModuleEntry> discoverModules(const QStringList &dirs);

// The entries in list order: by title with Polish collation ("Ł" after "L");
// equal titles all stay, in discovery order.
std::vector<ModuleEntry> sortedByTitle(std::vector<ModuleEntry> entries);

} // namespace marbelo
