#pragma once

#include <string>

// A fresh directory below the system's temporary directory, removed with everything in it at the
// end. With bEnter the current directory is changed into it and restored at the end.
class CTest_TempDir
{
public:
    explicit CTest_TempDir(bool bEnter = false);
    ~CTest_TempDir();
    CTest_TempDir(const CTest_TempDir&) = delete;
    CTest_TempDir& operator=(const CTest_TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
    std::string m_previous;
};

// Whole-file helpers for byte comparisons.
std::string TestReadFile(const std::string& path);
void TestWriteFile(const std::string& path, const std::string& bytes);
// A golden file below tests/data.
std::string TestDataPath(const std::string& relative);
