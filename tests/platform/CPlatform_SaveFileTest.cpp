#include "platform/CPlatform_SaveFile.h"
#include "platform/CPlatform_System.h"

#include "testsupport/CTest_Child.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

int Save(const std::string& path, const std::string& bytes)
{
    int nError = 0;
    return CPlatform_SaveFile::Save(path, bytes.data(), bytes.size(), nError);
}

mode_t ModeOf(const std::string& path)
{
    struct stat st = {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Names in a directory, to see that no temporary file is left behind.
std::vector<std::string> Names(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(directory))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A text whose every piece says where it belongs, so that a mix of two is seen.
std::string Pattern(char c, size_t n)
{
    std::string text(n, c);
    for (size_t i = 0; i < n; i += 4096)
        text[i] = '\n';
    return text;
}

TEST(CPlatform_SaveFile, KeepsModeLinksAndLongNames)
{
    CTest_TempDir dir;
    // The mode of a replaced file stays, whatever the user's mask says.
    const std::string secret = dir.File("pin.721");
    TestWriteFile(secret, "old");
    chmod(secret.c_str(), 0600);
    EXPECT_EQ(1, Save(secret, "new"));
    EXPECT_EQ(0600u, ModeOf(secret));
    EXPECT_EQ("new", TestReadFile(secret));

    // A new file gets what any new file gets.
    const mode_t mask = umask(022);
    EXPECT_EQ(1, Save(dir.File("fresh.721"), "x"));
    umask(mask);
    EXPECT_EQ(0644u, ModeOf(dir.File("fresh.721")));

    // Through a chain of links, one of them relative, to the real file; the links stay.
    fs::create_directory(dir.File("real"));
    TestWriteFile(dir.File("real/cfg.721"), "old");
    chmod(dir.File("real/cfg.721").c_str(), 0640);
    fs::create_symlink("real/../real/cfg.721", dir.File("inner"));
    fs::create_symlink(dir.File("inner"), dir.File("outer"));
    EXPECT_EQ(1, Save(dir.File("outer"), "through"));
    EXPECT_TRUE(fs::is_symlink(dir.File("outer")));
    EXPECT_TRUE(fs::is_symlink(dir.File("inner")));
    EXPECT_EQ("through", TestReadFile(dir.File("real/cfg.721")));
    EXPECT_EQ(0640u, ModeOf(dir.File("real/cfg.721")));
    // A link to nothing yet creates the file it names.
    fs::create_symlink("later.721", dir.File("dangling"));
    EXPECT_EQ(1, Save(dir.File("dangling"), "made"));
    EXPECT_EQ("made", TestReadFile(dir.File("later.721")));

    // The longest name the file system takes still leaves room for the temporary one.
    const std::string longName = dir.File(std::string(255, 'n'));
    EXPECT_EQ(1, Save(longName, "long"));
    EXPECT_EQ("long", TestReadFile(longName));
    EXPECT_EQ((std::vector<std::string>{"dangling", "fresh.721", "inner", "later.721", std::string(255, 'n'),
                                        "outer", "pin.721", "real"}),
              Names(dir.Path()));
}

TEST(CPlatform_SaveFile, NeverWritesThroughAPlantedName)
{
    CTest_TempDir dir;
    const std::string target = dir.File("cfg.721");
    const std::string victim = dir.File("victim");
    TestWriteFile(victim, "victim");
    // A link and a file planted at the names an older save used.
    fs::create_symlink(victim, target + ".~tmp");
    TestWriteFile(target + ".tmp", "planted");

    CPlatform_SaveFile file(target);
    ASSERT_EQ(1, file.Open());
    // The file written is a new one of its own.
    struct stat st = {};
    ASSERT_EQ(0, lstat(file.TempName().c_str(), &st));
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(1, st.st_nlink);
    EXPECT_EQ(0, st.st_size);
    EXPECT_EQ(1, file.Write("saved", 5));
    EXPECT_EQ(1, file.Commit());
    EXPECT_EQ("saved", TestReadFile(target));
    EXPECT_EQ("victim", TestReadFile(victim));
    EXPECT_EQ("planted", TestReadFile(target + ".tmp"));
}

TEST(CPlatform_SaveFile, DoesNotFollowAnotherUsersLinkInASharedDirectory)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs to give a link to another user";
    CTest_TempDir dir;
    const std::string shared = dir.File("shared");
    fs::create_directory(shared);
    chmod(shared.c_str(), 01777);
    TestWriteFile(dir.File("victim"), "victim");
    fs::create_symlink(dir.File("victim"), shared + "/cfg.721");
    ASSERT_EQ(0, lchown((shared + "/cfg.721").c_str(), 12345, 12345));
    int nError = 0;
    EXPECT_EQ(0, CPlatform_SaveFile::Save(shared + "/cfg.721", "x", 1, nError));
    EXPECT_EQ(EACCES, nError);
    EXPECT_EQ("victim", TestReadFile(dir.File("victim")));
    EXPECT_EQ(std::vector<std::string>{"cfg.721"}, Names(shared));
}

TEST(CPlatform_SaveFile, FailureIsReported)
{
    CTest_TempDir dir;
    int nError = 0;
    EXPECT_EQ(0, CPlatform_SaveFile::Save(dir.File("no/such/dir.721"), "x", 1, nError));
    EXPECT_EQ(ENOENT, nError);
    // (A disk that fills up: the file store test saves onto one.)
}

TEST(CPlatform_SaveFile, TwoProcessesSavingAtOnceLeaveOneWholeFile)
{
    CTest_TempDir dir;
    const std::string target = dir.File("cfg.721");
    const std::string a = Pattern('a', 300000);
    const std::string b = Pattern('b', 200000);
    auto saver = [&target](const std::string& bytes)
    {
        return [&target, &bytes]
        {
            int nFailed = 0;
            for (int i = 0; i < 30; ++i)
                nFailed += Save(target, bytes) ? 0 : 1;
            return nFailed;
        };
    };
    const int nA = CTest_Child::Start(saver(a));
    const int nB = CTest_Child::Start(saver(b));
    EXPECT_EQ(0, CTest_Child::Wait(nA));
    EXPECT_EQ(0, CTest_Child::Wait(nB));
    const std::string result = TestReadFile(target);
    EXPECT_TRUE(result == a || result == b) << result.size() << " bytes";
    EXPECT_EQ(std::vector<std::string>{"cfg.721"}, Names(dir.Path()));
}

TEST(CPlatform_SaveFile, ASaveKilledAtAnyPointLeavesTheOldOrTheNewFile)
{
    CTest_TempDir dir;
    const std::string target = dir.File("cfg.721");
    const std::string oldBytes = Pattern('o', 1 << 20);
    const std::string newBytes = Pattern('n', (1 << 20) + 12345);
    // How long one save takes here, to spread the kills over it.
    TestWriteFile(target, oldBytes);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(0, CTest_Child::Run([&] { return Save(target, newBytes) ? 0 : 1; }));
    const auto span = std::chrono::steady_clock::now() - start;

    int nOld = 0;
    int nNew = 0;
    constexpr int KILLS = 40;
    // A machine busy with other work may make the later saves slower than the one measured: then
    // the kills go on, each waiting twice as long, until one falls after the rename.
    for (int i = 0; i <= KILLS || (nNew == 0 && i <= KILLS + 12); ++i)
    {
        TestWriteFile(target, oldBytes);
        const int nPid = CTest_Child::Start([&] { return Save(target, newBytes) ? 0 : 1; });
        std::this_thread::sleep_for(i <= KILLS ? span * i * 3 / (2 * KILLS) : span * (2 << (i - KILLS)));
        CTest_Child::Kill(nPid);
        CTest_Child::Wait(nPid);
        const std::string result = TestReadFile(target);
        ASSERT_TRUE(result == oldBytes || result == newBytes) << "kill " << i << ": " << result.size();
        ++(result == oldBytes ? nOld : nNew);
    }
    // The kills fell before and after the rename.
    EXPECT_GT(nOld, 0);
    EXPECT_GT(nNew, 0);
}

TEST(CPlatform_ReadWhole, RefusesByKindAndSizeBeforeReading)
{
    CTest_TempDir dir;
    std::string bytes;
    int nError = 0;
    TestWriteFile(dir.File("ten"), "0123456789");
    EXPECT_EQ(1, PlatformReadFile(dir.File("ten").c_str(), 10, 0, bytes, nError));
    EXPECT_EQ("0123456789", bytes);
    EXPECT_EQ(0, PlatformReadFile(dir.File("ten").c_str(), 9, 0, bytes, nError));
    EXPECT_EQ(EFBIG, nError);
    EXPECT_EQ(0, PlatformReadFile(dir.Path().c_str(), 9, 0, bytes, nError));
    EXPECT_EQ(EISDIR, nError);

    // A pipe is read until it ends, and refused as soon as it passes the limit.
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    for (const size_t nSent : {size_t(200000), size_t(300001)})
    {
        const int nPid = CTest_Child::Start(
            [&]
            {
                TestWriteFile(fifo, Pattern('p', nSent));
                return 0;
            });
        const int nResult = PlatformReadFile(fifo.c_str(), 300000, 0, bytes, nError);
        CTest_Child::Wait(nPid);
        EXPECT_EQ(nSent <= 300000 ? 1 : 0, nResult) << nSent;
        EXPECT_EQ(nSent <= 300000 ? Pattern('p', nSent) : std::string(), bytes);
    }
}
} // namespace
