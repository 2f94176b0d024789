#include "testsupport/CTest_Child.h"

#include "testsupport/CTest_TempDir.h"
#include "testsupport/CTest_WriteLimit.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

int CTest_Child::Start(const std::function<int()>& f, long long nWriteLimit)
{
    const pid_t pid = fork();
    if (pid != 0)
        return static_cast<int>(pid);
    std::unique_ptr<CTest_WriteLimit> pLimit;
    if (nWriteLimit >= 0)
        pLimit = std::make_unique<CTest_WriteLimit>(nWriteLimit);
    // No exit handlers: they belong to the test program.
    _exit(f());
}

int CTest_Child::Wait(int nPid)
{
    int nStatus = 0;
    while (waitpid(static_cast<pid_t>(nPid), &nStatus, 0) < 0)
    {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(nStatus))
        return 128 + WTERMSIG(nStatus);
    return WEXITSTATUS(nStatus);
}

void CTest_Child::Kill(int nPid)
{
    kill(static_cast<pid_t>(nPid), SIGKILL);
}

int CTest_Child::Run(const std::function<int()>& f, long long nWriteLimit)
{
    return Wait(Start(f, nWriteLimit));
}

int CTest_Child::Exec(const std::vector<std::string>& argv, std::string& out, std::string& err)
{
    CTest_TempDir dir;
    const std::string outPath = dir.File("out");
    const std::string errPath = dir.File("err");
    const int nExit = Run(
        [&]
        {
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            const int fdOut = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fdOut < 0 || fdErr < 0 || dup2(fdOut, 1) < 0 || dup2(fdErr, 2) < 0)
                return 126;
            execv(args[0], args.data());
            return 127;
        });
    out = TestReadFile(outPath);
    err = TestReadFile(errPath);
    return nExit;
}
