// The files of a presentation folder besides the presentation itself, and the
// names the export refuses to write the presentation under.
#pragma once

#include <QString>

#include <vector>

namespace marbelo {

struct SideFile
{
    QString source;      // in the folder of the player
    QString destination; // in the presentation folder
    bool required;       // the folder cannot play without it
};

// The directory part of the chosen path, with its trailing separator.
QString presentationFolder(const QString &chosenPath);

// Common.dll, Basic.dll, Shadow.dll (copied when present: their services are
// built into our programs), the files of the player's runtime list
// (PlayerRuntime.h), TarvixView.exe as Start.exe and Autorun.inf, in the
// order they are copied.
std::vector<SideFile> sideFiles(const QString &playerDir, const QString &folder);

// The browser player beside FOLDER/NAME.pnn: NAME.html and the folder
// NAME-slajdy of its slides.
QString browserPageName(const QString &chosenPath);
QString slideFolderName(const QString &chosenPath);

// True when both names lead to the same file (existing or not).
bool sameFile(const QString &a, const QString &b);

// True when chosenPath cannot name a file to write: it ends in a separator,
// names "." or "..", or an existing folder (or a link to one).
bool namesFolder(const QString &chosenPath);

// True for the names of the program's own files in one of its folders: the
// catalogue, outlines and image stores, topic files, front pages, the help,
// the player and its side files, the working pictures.
bool isProgramFileName(const QString &fileName);

// Non-empty when writing the presentation to chosenPath would destroy a file
// the export reads or writes: the working file, a data file it composes from,
// a side file's source, a side file's place in the folder or the browser page,
// or any file of the program's own in dataDir, playerDir or sharedDir.
// playerDir: where the side files come from, when not from dataDir; sharedDir:
// where the installed topics, front page and help are, when not in dataDir.
QString refusedTarget(const QString &chosenPath, const QString &dataDir, const QString &workPath,
                      int trainingNumber, const QString &playerDir = QString(), const QString &sharedDir = QString());

// What the trainer is told when refusedTarget names a file: for the
// presentation, or for a PDF (kind).
enum class TargetKind { Presentation, Pdf };
QString programFileRefusal(TargetKind kind, const QString &taken);

} // namespace marbelo
