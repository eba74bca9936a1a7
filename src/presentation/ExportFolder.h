// Writing a whole presentation folder: the presentation file under the chosen
// name, the player and its side files, and the browser player (NAME.html with
// the decoded slides in NAME-slajdy/). Used by the window's export and by
// marbelo-tool, so both write the same files, bytes and modes.
#pragma once

#include "presentation/Compose.h"
#include "store/ItemReference.h"
#include "store/Records.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace marbelo {

struct ExportResult
{
    ComposeResult composed;
    bool presentationWritten = false;
    QStringList failedSides;   // side files not copied, by their names in the folder
    QStringList failedBrowser; // NAME.html or NAME-slajdy not written
    int slides = 0;            // slides of the presentation file

    bool ok() const { return presentationWritten && failedSides.isEmpty() && failedBrowser.isEmpty(); }
};

// Writes the folder of chosenPath from the presentation composed into
// workPath (deleted afterwards), with the player and its side files from
// playerDir; title is the browser page's. Every file is
// written whole or not at all, and an older file of the same name stays as it was
// when its new one fails. The slides are written into a new folder that replaces an older NAME-slajdy
// whole, only once every slide is written, so no slide of an earlier export
// remains; NAME.html is written only with the slides it lists. Start.exe gets
// the executable bit; the other files get the usual modes of new files.
ExportResult writePresentationFolder(const ComposeResult &composed, const QString &playerDir, const QString &title,
                                     const QString &chosenPath, const QString &workPath);

// Composes the training's presentation into workPath, then as above.
ExportResult exportPresentationFolder(const QString &dataDir, int trainingNumber,
                                      const std::vector<ItemReference> &references, TrainingRecord *training,
                                      const QString &chosenPath, const QString &workPath);

// The text the window shows when the export has ended.
QString exportMessage(const ExportResult &result, const QString &chosenPath);

} // namespace marbelo
