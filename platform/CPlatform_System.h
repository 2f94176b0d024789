#pragma once

// The few operating-system calls the core needs, kept here so that everything above stays
// portable standard C++.

#include <cstdio>
#include <ctime>
#include <string>

// Broken-down UTC time of t (thread-safe variant of gmtime).
void PlatformGmTime(std::time_t t, std::tm& out);

// The system's text for an error or message number; empty when the system has none.
std::string PlatformSystemMessage(int nMessage);

// Pushes a written file's data to the disk before it replaces another; 1 on success.
int PlatformSyncFile(std::FILE* pFile);

// Replaces the file pszTarget by pszSource in one step (the target is either the old or the new
// file, never a mixture or missing); 1 on success, 0 with the system's error number in nError.
int PlatformReplaceFile(const char* pszSource, const char* pszTarget, int& nError);

// The last system error number of the calling thread.
int PlatformLastError();
