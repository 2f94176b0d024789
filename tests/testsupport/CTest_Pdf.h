#pragma once

// Pages of a PDF file as the print tests count them: its page objects ("/Type /Page", not the
// "/Type /Pages" of the page tree), which the writer keeps uncompressed.

#include "testsupport/CTest_TempDir.h"

#include <string>

inline int TestPdfPages(const std::string& path)
{
    const std::string bytes = TestReadFile(path);
    const std::string word = "/Type /Page";
    int nPages = 0;
    for (size_t n = bytes.find(word); n != std::string::npos; n = bytes.find(word, n + 1))
        if (n + word.size() < bytes.size() && bytes[n + word.size()] != 's')
            ++nPages;
    return nPages;
}
