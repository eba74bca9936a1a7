// The slide import's reading on a thread of its own, so that the window
// answers "Anuluj" at once even while a slow page renders. The thread only
// reads the files and makes the topic's bytes; the window writes the file,
// and only when the thread finished without being cancelled. A cancelled
// thread is left to end by itself (at the latest when the page it renders is
// done) and writes nothing; the program waits for such threads as it quits.
#pragma once

#include "topics/import/SlideImport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

namespace marbelo {

class ImportWorker
{
public:
    ImportWorker(const QString &title, const QStringList &files);
    // Cancels and hands the thread over when it has not finished.
    ~ImportWorker();
    ImportWorker(const ImportWorker &) = delete;
    ImportWorker &operator=(const ImportWorker &) = delete;

    bool finished() const;
    int done() const;
    int total() const;
    // Once finished: the outcome and the topic file's bytes.
    ImportResult result() const;
    QByteArray bytes() const;

    // Whether a cancelled import's thread is still left to end, and waiting
    // for every such thread.
    static bool anyAbandoned();
    static void waitForAbandoned();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace marbelo
