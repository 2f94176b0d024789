#pragma once

// Whole-file reads and writes for the core's own files (imports and exports), with the reason of
// a failure in words the user can be shown.

#include <cstddef>
#include <string>

class CPlatform_File
{
public:
    // Reads the whole file (refused by its size or kind before it is read); 0 with the reason when
    // it is missing, unreadable or larger than nMax. The bytes have room for nSlack more behind
    // them, so that the caller may append that many without the text moving.
    static int ReadWhole(const std::string& path, size_t nMax, std::string& bytes, std::string& reason,
                         size_t nSlack = 0);
    // Writes the file as CPlatform_SaveFile saves (a new file beside it replaces the old one only
    // when everything was written, keeping its mode), so a failed write leaves it intact. 0 with the
    // reason on failure.
    static int WriteWhole(const std::string& path, const std::string& bytes, std::string& reason);
};
