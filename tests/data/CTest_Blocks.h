#pragma once

// Shared helpers of the block tests: a fixture that restores the feature properties and the
// resource bundle, the set-up of a phone type, and the file and record round trips of one block.

#include "data/CData.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "platform/CPlatform_Resource.h"
#include "testsupport/CTest_Properties.h"
#include "testsupport/CTest_TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

class CTest_Blocks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = CData_Properties::Snapshot();
        m_pSavedResource = CPlatform_Resource::Current();
    }
    void TearDown() override
    {
        CData_Properties::Restore(m_saved);
        CPlatform_Resource::SetCurrent(m_pSavedResource);
    }

    // The properties in force, to read or to set single ones by hand.
    static CTest_Properties Props() { return CTest_Properties(); }

    // The properties of a phone type, firmware version and brand, as start-up computes them.
    static void PhoneType(int nPhoneType, int nVersion, const char* pszDerivat = "TALVO")
    {
        CData_PropertyInput input;
        input.nPhoneType = nPhoneType;
        input.nVersion = nVersion;
        input.brand = CData_Properties::Current();
        input.brand.m_szDerivat = pszDerivat;
        input.brand.m_szCountry = "GER";
        CData_Properties::Install(input);
    }

    // Interface texts of a resource bundle for the defaults and column texts.
    void Texts(const std::string& strings)
    {
        ASSERT_EQ(1, m_resource.LoadData(strings, ""));
        CPlatform_Resource::SetCurrent(&m_resource);
    }

    // The block's section as the file store writes it.
    std::string WriteFile(CData& block)
    {
        CData_FileExRam& file = CData::File();
        const std::string path = m_dir.File("block.ini");
        file.SetFileName(path.c_str());
        EXPECT_EQ(1, file.Open(0));
        EXPECT_EQ(1, block.MoveFile(1, 0));
        EXPECT_EQ(1, file.Close());
        return TestReadFile(path);
    }

    // Reads the block's section from file bytes.
    static void ReadFile(CData& block, const std::string& bytes)
    {
        CData_FileExRam& file = CData::File();
        ASSERT_EQ(1, file.OpenBuffer(bytes.data(), bytes.size()));
        EXPECT_EQ(1, block.MoveFile(0, 0));
        file.Close();
    }

    // Compares with a golden file below tests/data/blocks; with R740_UPDATE_GOLDEN set in the
    // environment the golden file is rewritten instead (review the difference before committing).
    static void ExpectGolden(const std::string& name, const std::string& actual)
    {
        const std::string path = TestDataPath("blocks/" + name);
        if (std::getenv("R740_UPDATE_GOLDEN"))
            TestWriteFile(path, actual);
        EXPECT_EQ(TestReadFile(path), actual) << name;
    }

    static Bytes Build(CData& block, int nMode, int nFlag = 0)
    {
        Bytes record(CData::RECORD_MAX, 0xEE);
        const int n = block.MoveBlock(nMode, record.data(), record.size(), nFlag);
        record.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return record;
    }

    static int Parse(CData& block, Bytes record, int nFlag = 0)
    {
        return block.MoveBlock(CData::MB_PARSE, record.data(), record.size(), nFlag);
    }

    CData_Properties::CSnapshot m_saved;
    CPlatform_Resource* m_pSavedResource = nullptr;
    CPlatform_Resource m_resource;
    CTest_TempDir m_dir;
};

// A string as record bytes.
inline Bytes Chars(const char* psz)
{
    Bytes b;
    for (const char* p = psz; *p; ++p)
        b.push_back(static_cast<unsigned char>(*p));
    return b;
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The section text of a file without its header line, one "key=value" per element.
inline std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < bytes.size())
    {
        size_t nEnd = bytes.find("\r\n", nStart);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        const std::string line = bytes.substr(nStart, nEnd - nStart);
        if (!line.empty() && line[0] != '[')
            lines.push_back(line);
        nStart = nEnd + 2;
    }
    return lines;
}
