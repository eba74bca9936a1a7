// Shared pieces of the fuzz targets. The readers take paths and read through
// file streams, so each input is written to a file in a private folder first.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A property that must hold for every input; a violation is reported as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The folder the inputs are written to; ends with a separator.
inline const QString &workDir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The input as a file of the given name in the work folder; returns its path.
inline QString inputFile(const std::uint8_t *data, std::size_t size, const QString &name)
{
    const QString path = workDir() + name;
    writeFile(path, QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    return path;
}

} // namespace fuzz
