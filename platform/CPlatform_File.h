#pragma once

// Whole-file reads and writes for the core's own files (imports and exports), with the reason of
// a failure in words the user can be shown.

#include <cstddef>
#include <string>

class CPlatform_File
{
public:
    // Reads the whole file; 0 with the reason when it is missing, unreadable or larger than nMax.
    static int ReadWhole(const std::string& path, size_t nMax, std::string& bytes, std::string& reason);
    // Writes the file through a new file beside it that replaces the old one only when everything
    // was written (keeping the old file's permissions), so a failed write leaves it intact.
    // 0 with the reason on failure.
    static int WriteWhole(const std::string& path, const std::string& bytes, std::string& reason);
};
