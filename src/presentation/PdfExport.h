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
    int slides = 0;
    int pages = 0;
};

// Writes the slides of the presentation file presentationPath as a PDF to
// outPath, whole or not at all (an older outPath then stays as it was).
// title is the document's title and the handouts' header, set in the font
// the program carries in its resources.
PdfResult writePresentationPdf(const QString &presentationPath, const QString &title, PdfLayout layout,
                               const QString &outPath);

// Composes the training's presentation into workPath (deleted afterwards) and
// writes its PDF, titled with the training's name.
PdfResult exportPresentationPdf(const QString &dataDir, int trainingNumber,
                                const std::vector<ItemReference> &references, TrainingRecord *training,
                                const QString &workPath, PdfLayout layout, const QString &outPath);

// The text the window shows when the PDF has been written or has failed.
QString pdfMessage(const PdfResult &result);

} // namespace marbelo
