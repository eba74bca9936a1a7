#include "topics/ui/ImportWorker.h"

#include "topics/OwnTopics.h"

#include <QCoreApplication>
#include <QObject>

#include <mutex>
#include <thread>
#include <vector>

namespace marbelo {

struct ImportWorker::State
{
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    std::atomic<int> done{0};
    std::atomic<int> total{1};
    ImportResult result; // written by the thread before finished is set
    QByteArray bytes;
    std::thread thread;
};

namespace {

std::mutex abandonedLock;
std::vector<std::thread> abandoned;

// Joins the threads of cancelled imports before the application goes down.
class AbandonedThreads : public QObject
{
public:
    explicit AbandonedThreads(QObject *parent) : QObject(parent) {}
    ~AbandonedThreads() override { ImportWorker::waitForAbandoned(); }
};

} // namespace

ImportWorker::ImportWorker(const QString &title, const QStringList &files) : m_state(std::make_shared<State>())
{
    static AbandonedThreads *const keeper = new AbandonedThreads(QCoreApplication::instance());
    Q_UNUSED(keeper);
    // The thread holds the state itself, so it outlives a cancelled dialog.
    m_state->thread = std::thread([state = m_state, title, files] {
        QByteArray bytes;
        const ImportResult result = importedTopicBytes(
            title, files,
            [&state](int done, int total) {
                state->total = total;
                state->done = done;
                return !state->cancelled;
            },
            &bytes);
        state->result = result;
        state->bytes = bytes;
        state->finished = true;
    });
}

ImportWorker::~ImportWorker()
{
    m_state->cancelled = true;
    if (m_state->finished) {
        m_state->thread.join();
        return;
    }
    const std::lock_guard<std::mutex> lock(abandonedLock);
    abandoned.push_back(std::move(m_state->thread));
}

bool ImportWorker::finished() const
{
    return m_state->finished;
}

int ImportWorker::done() const
{
    return m_state->done;
}

int ImportWorker::total() const
{
    return m_state->total;
}

ImportResult ImportWorker::result() const
{
    return m_state->result;
}

QByteArray ImportWorker::bytes() const
{
    return m_state->bytes;
}

bool ImportWorker::anyAbandoned()
{
    const std::lock_guard<std::mutex> lock(abandonedLock);
    return !abandoned.empty();
}

void ImportWorker::waitForAbandoned()
{
    std::vector<std::thread> threads;
    {
        const std::lock_guard<std::mutex> lock(abandonedLock);
        threads.swap(abandoned);
    }
    for (std::thread &thread : threads)
        thread.join();
}

} // namespace marbelo
