#include "store/SlideFile.h"

#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <QFile>

namespace marbelo {

bool passThroughFile(const QString &path, const QByteArray &coded, QByteArray *jpeg)
{
    jpeg->clear();
    bool written = false;
    {
        std::unique_ptr<Stream> file = openStream(path, OpenMode::Create);
        if (file)
            written = file->writeAll(BCodeToStr(coded)) && file->flush();
    }
    if (written) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            *jpeg = file.readAll();
        written = jpeg->size() == coded.size();
    }
    QFile::remove(path);
    if (!written)
        jpeg->clear();
    return written;
}

} // namespace marbelo
