#pragma once

// File-system questions of the core, answered with the platform's own rules (separator, listing
// order), so that the core stays free of operating-system calls.

#include <string>
#include <vector>

// The separator the platform writes between directory and file names.
#ifdef _WIN32
constexpr char PLATFORM_PATH_SEPARATOR = '\\';
#else
constexpr char PLATFORM_PATH_SEPARATOR = '/';
#endif

class CPlatform_Path
{
public:
    // True when path names an existing regular file.
    static bool FileExists(const std::string& path);
    // Names (without directory) of the regular files in a directory that match a wildcard pattern
    // ("*" and "?"), sorted by name; empty when the directory cannot be read.
    static std::vector<std::string> ListFiles(const std::string& directory, const std::string& pattern);
    // Directory of the running executable, without a trailing separator; empty when unknown.
    static std::string ExecutableDirectory();
    // The current directory, without a trailing separator.
    static std::string CurrentDirectory();
};
