#include "store/CopyDataFile.h"

#include "store/SaveFile.h"
#include "store/TargetFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QSaveFile out(destination);
    if (!openAtTarget(out))
        return -1;
    const qint64 size = in.size();
    char buffer[kChunk];
    while (in.pos() < size) {
        const qint64 n = std::min(kChunk, size - in.pos());
        if (in.read(buffer, n) != n || out.write(buffer, n) != n) {
            out.cancelWriting();
            return -1;
        }
    }
    return commitWhole(out) ? 0 : -1;
}

} // namespace marbelo
