#pragma once

// Saving a file so that it is replaced whole or not at all.
//
// The bytes go to a temporary file of a fresh name, created exclusively beside the target (never
// through a link someone left at that name), which takes the target's mode (and, where the system
// allows, its owner and group) before anything is written. Commit pushes it to the disk, renames
// it over the target and syncs the directory, so that after a crash, a full disk or another
// process saving the same file at the same time the target is one whole file: the old one or a
// new one. A target that is a symbolic link is written through it to its real file, and the link
// stays.

#include <cstddef>
#include <string>

class CPlatform_SaveFile
{
public:
    explicit CPlatform_SaveFile(const std::string& target);
    // A file not committed is discarded.
    ~CPlatform_SaveFile();
    CPlatform_SaveFile(const CPlatform_SaveFile&) = delete;
    CPlatform_SaveFile& operator=(const CPlatform_SaveFile&) = delete;

    // Creates the temporary file; 1, or 0 with Error().
    int Open();
    // 1 when all bytes were written; 0 with Error() otherwise, after which writes are ignored and
    // Commit fails.
    int Write(const void* pData, size_t nCount);
    // Replaces the target by what was written; 1, or 0 with Error(). On 0 the previous file is
    // still in place (or, when only the final directory sync failed, the new file is in place but
    // may not survive a power loss) and no temporary file is left.
    int Commit();
    // Removes the temporary file; the target is not touched.
    void Discard();

    // The system's error number of the first failure; 0 if none.
    int Error() const { return m_nError; }
    // The file that is replaced: the target, or the file its links lead to.
    const std::string& RealTarget() const { return m_realTarget; }
    // The temporary file while one is open; empty otherwise.
    const std::string& TempName() const { return m_tempName; }

    // The whole of nSize bytes as the file at path, in one step: 1, or 0 with the system's error
    // number in nError.
    static int Save(const std::string& path, const char* pData, size_t nSize, int& nError);

private:
    void Fail(int nError);

    std::string m_target;
    std::string m_realTarget;
    std::string m_tempName;
    int m_fd = -1;
    int m_nError = 0;
};
