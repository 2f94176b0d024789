#pragma once

// A disk that is full after N more bytes, for the process while the object lives: files cannot
// grow beyond N bytes, and a write beyond fails with EFBIG as on a full device. POSIX only.

class CTest_WriteLimit
{
public:
    explicit CTest_WriteLimit(long long nBytes);
    ~CTest_WriteLimit();
    CTest_WriteLimit(const CTest_WriteLimit&) = delete;
    CTest_WriteLimit& operator=(const CTest_WriteLimit&) = delete;

private:
    unsigned long long m_nPrevious = 0;
    void (*m_pfnPreviousHandler)(int) = nullptr;
};
