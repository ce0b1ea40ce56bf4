#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

// Makes every write of this process beyond `bytes` fail, as on a full disk, for as long as
// the object lives. Unlike permission bits this also works for root.

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        // Writing past the limit raises SIGXFSZ, which would end the test run.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        if (m_active) {
            struct rlimit limited = m_old;
            limited.rlim_cur = bytes;
            m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isActive() const { return m_active; }

private:
    Q_DISABLE_COPY(FileSizeLimit)
    struct rlimit m_old
    {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#define HX_HAVE_FILESIZELIMIT 1
#endif

#endif // FILESIZELIMIT_H
