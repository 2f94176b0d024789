// Feeds arbitrary bytes to the configuration file store as a loaded file, then looks up the
// sections and keys that the input itself names, plus a few fixed ones, as strings and as
// binary values of several sizes.

#include "data/CData_FileExRam.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CData_FileExRam file;
    if (!file.OpenBuffer(reinterpret_cast<const char*>(data), size))
        return 0;

    // Names taken from the input: every run of bytes between line ends, "[", "]" and "=".
    std::vector<std::string> names = {"", "Basic_00000000", "Key_00000000", "KeyUse", "A=B"};
    std::string current;
    for (size_t i = 0; i < size && names.size() < 64; ++i)
    {
        const char c = static_cast<char>(data[i]);
        if (c == '\r' || c == '\n' || c == '[' || c == ']' || c == '=' || c == '\0')
        {
            if (!current.empty())
                names.push_back(current);
            current.clear();
        }
        else if (current.size() < 40)
            current += c;
    }

    char small[8];
    std::string value;
    unsigned char binary[64];
    for (size_t s = 0; s < names.size(); ++s)
    {
        for (size_t k = 0; k < names.size(); k += 3)
        {
            file.GetString(names[s].c_str(), names[k].c_str(), "default", small, sizeof small);
            file.GetString(names[s].c_str(), names[k].c_str(), "", value);
            file.GetStruct(names[s].c_str(), names[k].c_str(), binary, (s + k) % sizeof binary);
        }
    }
    file.Close();
    return 0;
}
