#pragma once

#include "support/Trace.h"
#include "testsupport/CTest_TempDir.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// Turns the trace on in a directory of its own and gives the lines written, without time prefix
// and CR LF.
class CTest_TraceLines
{
public:
    CTest_TraceLines()
    {
        TraceReset();
        TestWriteFile("##Trace.###", "");
        TraceIsOn();
    }
    ~CTest_TraceLines() { TraceReset(); }

    std::vector<std::string> Lines() const
    {
        std::string text;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            if (entry.path().extension() == ".Lg")
                text = TestReadFile(entry.path().string());
        std::vector<std::string> lines;
        size_t nStart = 0;
        while (nStart < text.size())
        {
            size_t nEnd = text.find("\r\n", nStart);
            if (nEnd == std::string::npos)
                nEnd = text.size();
            std::string line = text.substr(nStart, nEnd - nStart);
            if (line.size() >= 15 && line[0] == '[' && line[13] == ']')
                line.erase(0, 15); // "[hh:mm:ss.mmm] "
            lines.push_back(line);
            nStart = nEnd + 2;
        }
        return lines;
    }
    bool Has(const std::string& line) const
    {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

private:
    CTest_TempDir m_dir{true};
};
