#include "testsupport/CTest_TraceCapture.h"

#include "support/Trace.h"

#include <filesystem>

namespace fs = std::filesystem;

CTest_TraceCapture::CTest_TraceCapture()
{
    TraceReset();
    TestWriteFile("##Trace.###", "");
    TraceIsOn();
}

CTest_TraceCapture::~CTest_TraceCapture()
{
    TraceReset();
}

std::vector<std::string> CTest_TraceCapture::Take()
{
    std::string text;
    for (const auto& entry : fs::directory_iterator(m_dir.Path()))
    {
        const std::string name = entry.path().filename().string();
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ".Lg") == 0)
            text = TestReadFile(entry.path().string());
    }
    std::vector<std::string> lines;
    if (text.size() <= m_nOffset)
        return lines;
    const std::string fresh = text.substr(m_nOffset);
    m_nOffset = text.size();
    size_t nStart = 0;
    while (nStart < fresh.size())
    {
        size_t nEnd = fresh.find("\r\n", nStart);
        if (nEnd == std::string::npos)
            nEnd = fresh.size();
        std::string line = fresh.substr(nStart, nEnd - nStart);
        // "[hh:mm:ss.mmm] " is 15 characters.
        if (line.size() >= 15 && line[0] == '[' && line[13] == ']')
            line.erase(0, 15);
        lines.push_back(line);
        nStart = nEnd + 2;
    }
    return lines;
}
