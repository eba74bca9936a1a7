// A lowered file-size limit for the test process: while it is set, a write
// that would make any file larger than the limit fails part way, as on a full
// disk. Built on RLIMIT_FSIZE with SIGXFSZ ignored, so it exists on POSIX
// systems only; isSupported() says whether it does here.
#pragma once

#include <QtGlobal>

namespace testing_support {

class FileSizeLimit
{
public:
    FileSizeLimit();
    ~FileSizeLimit(); // the previous limit and signal handling come back
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    static bool isSupported();
    // Lowers the limit to bytes; false when it cannot be set.
    bool set(qint64 bytes);
    // Lifts the limit back to what it was.
    void clear();

private:
    struct Saved;
    Saved *m_saved;
};

} // namespace testing_support
