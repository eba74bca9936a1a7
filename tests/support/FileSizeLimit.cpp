#include "support/FileSizeLimit.h"

#if defined(Q_OS_UNIX)

#include <csignal>
#include <sys/resource.h>

namespace testing_support {

struct FileSizeLimit::Saved
{
    rlimit limit{};
    void (*handler)(int) = SIG_DFL;
};

FileSizeLimit::FileSizeLimit() : m_saved(new Saved)
{
    getrlimit(RLIMIT_FSIZE, &m_saved->limit);
    // Without this the first write past the limit would end the process.
    m_saved->handler = std::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit()
{
    clear();
    std::signal(SIGXFSZ, m_saved->handler);
    delete m_saved;
}

bool FileSizeLimit::isSupported()
{
    return true;
}

bool FileSizeLimit::set(qint64 bytes)
{
    rlimit limited = m_saved->limit;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    return bytes >= 0 && setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

void FileSizeLimit::clear()
{
    setrlimit(RLIMIT_FSIZE, &m_saved->limit);
}

} // namespace testing_support

#else

namespace testing_support {

struct FileSizeLimit::Saved
{
};

FileSizeLimit::FileSizeLimit() : m_saved(new Saved) {}
FileSizeLimit::~FileSizeLimit() { delete m_saved; }
bool FileSizeLimit::isSupported() { return false; }
bool FileSizeLimit::set(qint64) { return false; }
void FileSizeLimit::clear() {}

} // namespace testing_support

#endif
