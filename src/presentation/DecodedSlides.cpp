#include "presentation/DecodedSlides.h"

#include "store/SlideBlocks.h"
#include "store/WholeFile.h"
#include "store/components/Coding.h"
#include "store/components/Stream.h"

#include <QDir>

namespace marbelo {

QString decodedSlideName(const QString &prefix, int n)
{
    return prefix + QStringLiteral("%1.jpg").arg(n, 4, 10, QLatin1Char('0'));
}

bool writeDecodedSlides(Stream &stream, const std::vector<std::int32_t> &offsets, const QString &dir,
                        const QString &prefix, QString *error)
{
    const QDir folder(dir);
    // Both buffers keep their memory from slide to slide.
    QByteArray coded;
    QByteArray jpeg;
    int n = 0;
    for (std::int32_t offset : offsets) {
        if (!readSlideBlock(stream, offset, &coded)) {
            *error = QStringLiteral("corrupt slide block at offset %1").arg(offset);
            return false;
        }
        jpeg.resize(coded.size());
        BCodeCopy(coded.constData(), jpeg.data(), coded.size(), 0);
        if (!writeWholeFile(folder.filePath(decodedSlideName(prefix, ++n)), jpeg, error))
            return false;
    }
    return true;
}

} // namespace marbelo
