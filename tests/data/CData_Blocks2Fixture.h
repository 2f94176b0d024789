#pragma once

// Shared set-up of the block tests: each test works on its own copy of the process-wide state
// (properties and the input they were computed from, the configuration's version number, the
// phonebook sort columns, the interface texts) and gets it back afterwards.

#include "data/CData_AlarmCall.h"
#include "data/CData_LstData.h"
#include "data/CData_Properties.h"
#include "data/CData_Version.h"
#include "platform/CPlatform_Resource.h"
#include "testsupport/CTest_Properties.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CData_Blocks2Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_props = CData_Properties::Snapshot();
        m_nConfigVersion = CData_Version::ConfigVersion();
        m_pResource = CPlatform_Resource::Current();
        CData_AlarmCall::SetLocalTimeSource(FixedTime);
    }
    void TearDown() override
    {
        CData_Properties::Restore(m_props);
        CData_Version::SetConfigVersion(m_nConfigVersion);
        CData_LstData::SetSortColumns(CData_DialName::COL_NAME, CData_DialName::COL_MSNEXT);
        CData_DialName::SetMsnSlotLookup(nullptr);
        CData_AlarmCall::SetLocalTimeSource(nullptr);
        CPlatform_Resource::SetCurrent(m_pResource);
    }

    // The properties in force, to read or to set single ones by hand.
    static CTest_Properties Props() { return CTest_Properties(); }

    // The properties of a phone type of a brand at a version, as the application computes them;
    // a file's phone type is applied on the same terms.
    static void Phone(const char* pszBrand, int nPhoneType, int nVersion = 4100)
    {
        CData_PropertyInput in;
        in.nVersion = nVersion;
        in.nPhoneType = nPhoneType;
        in.brand = CData_Properties::Current();
        in.brand.m_szDerivat = pszBrand;
        in.brand.m_szCountry = "GER";
        CData_Properties::Install(in);
        CData_Version::SetConfigVersion(nVersion);
    }

    // Interface texts for the column tests: "<number>\t<text>" lines.
    void Texts(const std::string& table)
    {
        ASSERT_EQ(1, m_resource.LoadData(table, ""));
        CPlatform_Resource::SetCurrent(&m_resource);
    }

    // 12:34 on 5 June 2007, local time.
    static bool FixedTime(std::tm& out)
    {
        out = std::tm{};
        out.tm_year = 107;
        out.tm_mon = 5;
        out.tm_mday = 5;
        out.tm_hour = 12;
        out.tm_min = 34;
        return true;
    }

    static std::vector<unsigned char> Build(CData& block, int nMode = CData::MB_DATA)
    {
        std::vector<unsigned char> rec(CData::RECORD_MAX);
        const int n = block.MoveBlock(nMode, rec.data(), rec.size(), 0);
        rec.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return rec;
    }

    static int Parse(CData& block, std::vector<unsigned char> rec)
    {
        return block.MoveBlock(CData::MB_PARSE, rec.data(), rec.size(), 0);
    }

private:
    CData_Properties::CSnapshot m_props;
    int m_nConfigVersion = 0;
    CPlatform_Resource* m_pResource = nullptr;
    CPlatform_Resource m_resource;
};

using Bytes = std::vector<unsigned char>;
