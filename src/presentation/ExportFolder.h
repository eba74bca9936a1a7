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

// Where the export takes what is not in the data folder; empty: from there.
struct ExportSources
{
    QString playerDir;     // the player and its side files
    QString frontPagePath; // the front-page file
};

// Writes the folder of chosenPath: the training's presentation composed
// straight into chosenPath, the player and its side files, and the browser
// player (title: the training's name). Every file is written whole or not at
// all, and an older file of the same name stays as it was when its new one
// fails. The presentation file is put in place first; when it fails (a slide
// that is no JPEG picture included) nothing else is. The decoded slides are
// written, as the presentation is composed, into a new folder that replaces
// an older NAME-slajdy whole only once every slide is written, so no slide of
// an earlier export remains; NAME.html is written only with the slides it
// lists. Start.exe gets the executable bit; the other files get the usual
// modes of new files.
ExportResult exportPresentationFolder(const QString &dataDir, int trainingNumber,
                                      const std::vector<ItemReference> &references, TrainingRecord *training,
                                      const QString &chosenPath, const ExportSources &sources = {});

// The text the window shows when the export has ended.
QString exportMessage(const ExportResult &result, const QString &chosenPath);

} // namespace marbelo
