// Composing a presentation file: the front-page slide of the training's type
// followed by the slide of every outline item that has one, in outline order.
#pragma once

#include "store/ItemReference.h"
#include "store/Records.h"

#include <QString>

#include <memory>
#include <vector>

namespace marbelo {

struct ComposeResult
{
    bool ok = false;        // the output was written whole
    QString error;          // why not, in the user's language
    bool fileFailed = false; // error is the writer's sentence naming the file
    bool frontPage = false; // a front-page slide was written
    int itemSlides = 0;     // item slides written
    qint64 bytes = 0;       // size of the output

    int slides() const { return (frontPage ? 1 : 0) + itemSlides; }
};

// Reads training number's record from the catalogue into *training (kept as it
// was when the catalogue cannot be read), then writes to outPath block t of
// the front-page file (t = the training's type; none when the file is missing
// or t < 0) and one block per reference with a slide offset, copied byte for
// byte from the training's image store, one slide in memory at a time.
// Nothing is written when the image store cannot be opened. A negative length,
// or one that runs past its file, stops the composition and fails it. The
// output replaces outPath only when it was written whole; on failure an
// existing outPath is left as it was. frontPagePath: the front-page file, when
// it does not lie in dataDir.
class Stream;

// The first steps of every composition: training number's record read into
// *training (kept as it was when the catalogue cannot be read), then its
// image store opened; none, with the reason in error, when it cannot be.
std::unique_ptr<Stream> openTrainingSlides(const QString &dataDir, int trainingNumber, TrainingRecord *training,
                                           QString *error);

// Is shown every slide as it is written into the presentation file.
class ComposedSlides
{
public:
    virtual ~ComposedSlides() = default;
    // coded: the slide's coded bytes, already written, which may now be
    // changed in place. False fails the composition with error.
    virtual bool add(QByteArray &coded, QString *error) = 0;
};

ComposeResult composePresentation(const QString &dataDir, int trainingNumber,
                                  const std::vector<ItemReference> &references, TrainingRecord *training,
                                  const QString &outPath, const QString &frontPagePath = QString(),
                                  ComposedSlides *slides = nullptr);

} // namespace marbelo
