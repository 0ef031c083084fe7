#include "filesizelimit.h"

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_old) != 0)
        return;
    // Without this the process would be killed instead of seeing a short write.
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = m_old;
    tight.rlim_cur = bytes;
    m_set = setrlimit(RLIMIT_FSIZE, &tight) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_set)
        setrlimit(RLIMIT_FSIZE, &m_old);
    // SIG_DFL is a null pointer: compare with SIG_ERR, or the default never comes back.
    if (m_oldHandler != SIG_ERR)
        std::signal(SIGXFSZ, m_oldHandler);
}
