#include "testsupport/CTest_TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTest_TempDir::CTest_TempDir(bool bEnter)
{
    std::random_device rd;
    for (int i = 0; i < 100 && m_path.empty(); ++i)
    {
        const fs::path p = fs::temp_directory_path() / ("r740test-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec))
            m_path = p.string();
    }
    if (m_path.empty())
        throw std::runtime_error("cannot create a temporary directory");
    if (bEnter)
    {
        m_previous = fs::current_path().string();
        fs::current_path(m_path);
    }
}

CTest_TempDir::~CTest_TempDir()
{
    std::error_code ec;
    if (!m_previous.empty())
        fs::current_path(m_previous, ec);
    fs::remove_all(m_path, ec);
}

std::string TestReadFile(const std::string& path)
{
    // Through the stream buffer in pieces: a character at a time is slow under the sanitizers.
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    if (in && in.peek() != std::ifstream::traits_type::eof())
        out << in.rdbuf();
    return out.str();
}

void TestWriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDataPath(const std::string& relative)
{
    return std::string(R740_TEST_DATA_DIR) + "/" + relative;
}
