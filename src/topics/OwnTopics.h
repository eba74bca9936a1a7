// Own topics: framework topics the trainer imported into the data directory.
// The vendor's topic files are never changed; an own topic is known by its
// file name alone, "Własne " + a number of at least three digits + ".mdl",
// the names the import gives and no vendor file carries. The topic file
// layout is the same as the vendor's.
#pragma once

#include "topics/import/SlideImport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo {

// True for the file names the import gives (a bare name, no folder).
bool isOwnTopicFileName(const QString &fileName);

// The first "Własne NNN.mdl" (001, 002, ...) that names no entry of the
// data directory.
QString nextOwnTopicFileName(const QString &dataDir);

// The bytes of a topic file: the title, then one record per slide (heading
// mark "0", slide mark "1") or heading (heading mark "1", slide mark "0"). Names are cut to 128 characters, and characters
// Windows-1250 has no byte for become "?" (bookmark titles may hold any);
// the title itself must fit, else false with a reason in error.
bool ownTopicBytes(const QString &title, const std::vector<ImportedSlide> &slides, QByteArray *bytes,
                   QString *error);

// Writes a whole topic file through a save file: the old file, if any, stays
// as it was unless every byte reached the disk. The reason in error, in Polish.
bool saveTopicFile(const QString &path, const QByteArray &bytes, QString *error);

// The bytes of the topic file an import of the files writes: the title
// checked before any file is read, then every slide. Writes nothing, so it
// may run on a thread of its own.
ImportResult importedTopicBytes(const QString &title, const QStringList &files, const ImportProgress &progress,
                                QByteArray *bytes);

// Writes bytes as a new own topic file of the data directory; fileName gets
// its bare name.
ImportResult saveOwnTopic(const QString &dataDir, const QByteArray &bytes, QString *fileName);

// Reads the files and writes their slides as one topic file at path, or
// leaves path as it was (no file at all when there was none).
ImportResult importTopicFile(const QString &path, const QString &title, const QStringList &files,
                             const ImportProgress &progress = {});

// The same into a new own topic file of the data directory; fileName gets
// its bare name when the import is done.
ImportResult importOwnTopic(const QString &dataDir, const QString &title, const QStringList &files,
                            const ImportProgress &progress, QString *fileName);

// Rewrites the title field of the topic file at path, the rest byte for byte.
bool renameTopicFile(const QString &path, const QString &title, QString *error);

// Removes an own topic's file.
bool deleteTopicFile(const QString &path, QString *error);

} // namespace marbelo
