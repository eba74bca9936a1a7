// Fault injection on writers: a writer is run once for every point at which a
// write can fail (the file-size limit at every byte count of a small case),
// and each run is checked: every file it touches is either exactly as it was
// before or exactly as it should be after, never in between; the folder holds
// no file left behind; and whenever a file did not reach its new state, the
// writer reported the failure.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace testing_support {

// A file the writer touches; std::nullopt stands for no file.
struct WrittenFile
{
    QString path;
    std::optional<QByteArray> before;
    std::optional<QByteArray> after;
};

// One row of the matrix: a writer and what happened at its failure points.
struct FaultRow
{
    QString writer;
    int points = 0;     // runs, the last one without a limit
    int whole = 0;      // every file in its new state and success reported
    int refused = 0;    // the write failed, every file old or new, and the user was told
    QStringList defects; // a partial file, a file left behind or an unreported failure

    QString summary() const;
};

struct FaultCase
{
    QString writer;
    QString dir; // checked for files left behind (files may lie in its subfolders)
    std::vector<WrittenFile> files;
    // Runs the writer once; true when it reports success (for a command run
    // through the window: when no message was shown).
    std::function<bool()> write;
    // Optional: puts anything besides the files back before each run.
    std::function<void()> reset = {};
    // Optional: the part of a file's bytes that must match, for a writer that
    // stamps the time into its file (a PDF's creation date): the bytes with
    // the stamp blanked.
    std::function<QByteArray(const QByteArray &)> comparable = {};
};

// Every limit from 0 up to the largest new file size; the case is then run
// once more without a limit, where it must succeed whole.
std::vector<qint64> everyFailurePoint(const FaultCase &fault);

FaultRow runFaultMatrix(const FaultCase &fault, const std::vector<qint64> &limits);
inline FaultRow runFaultMatrix(const FaultCase &fault)
{
    return runFaultMatrix(fault, everyFailurePoint(fault));
}

// Runs the matrix, records the row and expects it sound: no defect, the
// limits really made the writer fail, and the run without one succeeded.
void expectSoundMatrix(const FaultCase &fault, const std::vector<qint64> &limits);
inline void expectSoundMatrix(const FaultCase &fault)
{
    expectSoundMatrix(fault, everyFailurePoint(fault));
}

// Appends the row's summary to the file named by the environment variable
// MARBELO_FAULT_MATRIX, when it is set; the reliability document quotes it.
void recordRow(const FaultRow &row);

} // namespace testing_support
