// A presentation as a PDF: one slide per page ("Slajdy"), or handouts for the
// participants ("Materiały dla uczestników": A4 portrait, three slides a page
// with ruled lines for notes, the training's name and page numbers). Slides
// are embedded as their JPEG bytes, never decoded and encoded again.
#pragma once

#include "store/ItemReference.h"
#include "store/Records.h"

#include <QString>

#include <vector>

namespace marbelo {

enum class PdfLayout { Slides, Handouts };

struct PdfResult
{
    bool ok = false;
    QString error; // why not, in the user's language
    bool fileFailed = false; // error is the writer's sentence naming the file
    int slides = 0;
    int pages = 0;
};

// Reads training number's record from the catalogue into *training (kept as
// it was when the catalogue cannot be read) and writes, whole or not at all,
// the PDF of the slides a composed presentation would hold (the front page of
// the training's type, then the slide of every reference that has one, in
// order), titled with the training's name. The slides are read straight from
// the front-page file and the training's image store; an older outPath stays
// as it was on any failure. The handouts' text is set in the font the program
// carries in its resources. frontPagePath: the front-page file, when it does
// not lie in dataDir.
PdfResult exportPresentationPdf(const QString &dataDir, int trainingNumber,
                                const std::vector<ItemReference> &references, TrainingRecord *training,
                                PdfLayout layout, const QString &outPath, const QString &frontPagePath = QString());

// The text the window shows when the PDF has been written or has failed.
QString pdfMessage(const PdfResult &result);

} // namespace marbelo
