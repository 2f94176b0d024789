#include "testsupport/CTest_WriteLimit.h"

#include <csignal>

#include <sys/resource.h>

CTest_WriteLimit::CTest_WriteLimit(long long nBytes)
{
    // Without this the system ends the process at the first write beyond the limit.
    m_pfnPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_nPrevious = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(nBytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

CTest_WriteLimit::~CTest_WriteLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_nPrevious);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_pfnPreviousHandler);
}
