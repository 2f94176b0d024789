#pragma once

// Configuration files as text: the sections of a file, chosen by the beginnings of their names.

#include <string>
#include <vector>

// The file without (bKeep false) or with only (bKeep true) the sections whose names begin with one
// of the prefixes. Blocks that a transfer does not exchange for a phone type keep each side's own
// defaults; a comparison leaves them out.
inline std::string Without(const std::string& text, const std::vector<std::string>& prefixes,
                           bool bKeep = false)
{
    std::string out;
    size_t nPos = 0;
    bool bSkip = bKeep;
    while (nPos < text.size())
    {
        size_t nEnd = text.find("\r\n", nPos);
        nEnd = nEnd == std::string::npos ? text.size() : nEnd + 2;
        const std::string line = text.substr(nPos, nEnd - nPos);
        if (!line.empty() && line[0] == '[')
        {
            bool bMatch = false;
            for (const std::string& prefix : prefixes)
                bMatch = bMatch || line.compare(1, prefix.size(), prefix) == 0;
            bSkip = bKeep ? !bMatch : bMatch;
        }
        if (!bSkip)
            out += line;
        nPos = nEnd;
    }
    return out;
}

inline std::string Only(const std::string& text, const std::vector<std::string>& prefixes)
{
    return Without(text, prefixes, true);
}
