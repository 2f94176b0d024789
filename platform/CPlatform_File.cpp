#include "platform/CPlatform_File.h"

#include "platform/CPlatform_SaveFile.h"
#include "platform/CPlatform_System.h"

#include <cerrno>

int CPlatform_File::ReadWhole(const std::string& path, size_t nMax, std::string& bytes, std::string& reason,
                              size_t nSlack)
{
    if (path.empty())
    {
        reason = "No file name";
        return 0;
    }
    int nError = 0;
    if (PlatformReadFile(path.c_str(), nMax, nSlack, bytes, nError))
        return 1;
    reason = nError == EFBIG ? "The file is larger than " + std::to_string(nMax / (1024 * 1024)) + " MB"
                             : PlatformErrorText(nError);
    return 0;
}

int CPlatform_File::WriteWhole(const std::string& path, const std::string& bytes, std::string& reason)
{
    if (path.empty())
    {
        reason = "No file name";
        return 0;
    }
    int nError = 0;
    if (CPlatform_SaveFile::Save(path, bytes.data(), bytes.size(), nError))
        return 1;
    reason = PlatformErrorText(nError);
    return 0;
}
