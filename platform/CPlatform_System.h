#pragma once

// The few operating-system calls the core needs, kept here so that everything above stays
// portable standard C++.

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>

// Broken-down UTC time of t (thread-safe variant of gmtime).
void PlatformGmTime(std::time_t t, std::tm& out);

// The system's text for an error or message number; empty when the system has none.
std::string PlatformSystemMessage(int nMessage);

// The last system error number of the calling thread.
int PlatformLastError();

// The system's text for an error number as one line, for messages that name a file and the reason;
// "Error N" when the system has no text. 0 counts as an input/output error.
std::string PlatformErrorText(int nError);

// Opens a file for reading as bytes; nullptr with the system's error number in nError.
std::FILE* PlatformOpenRead(const char* pszPath, int& nError);

// Reads an open file whole into bytes, with room for nSlack more bytes behind them so that the
// caller may append that many without the text moving. What the file is decides before a byte is
// read: a regular file larger than nMax gives EFBIG, a directory EISDIR, a device or socket EINVAL
// (a device such as /dev/zero never ends); a pipe is read until it ends, and refused with EFBIG as
// soon as it passes nMax. 1, or 0 with the system's error number in nError.
int PlatformReadWhole(std::FILE* pFile, size_t nMax, size_t nSlack, std::string& bytes, int& nError);

// Both of the above, closing the file again.
int PlatformReadFile(const char* pszPath, size_t nMax, size_t nSlack, std::string& bytes, int& nError);
