#include "store/CopyDataFile.h"

#include "store/WholeFile.h"

#include <QFile>
#include <QFileInfo>

namespace marbelo {

std::int32_t CopyDataFile(const QString &source, const QString &destination)
{
    constexpr qint64 kChunk = 16384;
    const QFileInfo from(source);
    const QFileInfo to(destination);
    if (!from.isFile())
        return -1;
    if (to.exists() && !to.isSymLink() && from.canonicalFilePath() == to.canonicalFilePath())
        return 0;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    const auto copy = [&](QFileDevice &out, QString *) {
        const qint64 size = in.size();
        char buffer[kChunk];
        while (in.pos() < size) {
            const qint64 n = std::min(kChunk, size - in.pos());
            if (in.read(buffer, n) != n || out.write(buffer, n) != n)
                return false;
        }
        return true;
    };
    return writeWholeFile(destination, copy) ? 0 : -1;
}

} // namespace marbelo
