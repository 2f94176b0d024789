#pragma once

// Child processes for tests that need a second process (two saves at once, a save killed half
// way) or a process whose disk fills up: a child may be given a file size limit, after which its
// writes fail as on a full device (EFBIG). POSIX only.

#include <functional>
#include <string>
#include <vector>

class CTest_Child
{
public:
    // Starts f in a child process; its result is the child's exit code. With nWriteLimit the
    // child's files cannot grow beyond that many bytes. Gives the process number.
    static int Start(const std::function<int()>& f, long long nWriteLimit = -1);
    // The exit code of a child, or 128 + the signal that ended it.
    static int Wait(int nPid);
    static void Kill(int nPid);
    // Start and Wait.
    static int Run(const std::function<int()>& f, long long nWriteLimit = -1);
    // Runs a program with exactly these argument bytes (no conversion through the locale); its
    // exit code, standard output and standard error.
    static int Exec(const std::vector<std::string>& argv, std::string& out, std::string& err);
};
