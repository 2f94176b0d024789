#include "CData_Blocks2Fixture.h"

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "testsupport/CTest_TempDir.h"

#include <cstdio>
#include <memory>

namespace
{
// Non-default values for every block of the configuration and a full phonebook, each valid for
// the phone type in force (so that writing changes nothing). One filler per block kind; the
// basic, MSN and key blocks get what their common interface offers (the key function), their own
// tests fill the rest.
struct CFill
{
    int nSeed;

    void Cfg(CData_AllCfg& cfg) const
    {
        for (CData_Key& key : cfg.m_Key)
            key.m_nKeyUse = 4; // MSN: offered on every phone type
        for (int i = 0; i < CData_AllCfg::DIALVIP_MAX; ++i)
        {
            cfg.m_DialVip[i].m_strMsn = "*" + std::to_string(nSeed + i) + "#";
            cfg.m_DialVip[i].m_strName = "V\xEDp " + std::to_string(i);
        }
        for (int i = 0; i < CData_AllCfg::CALLFILTER_MAX; ++i)
            cfg.m_CallFilter[i].m_strMsn = "0900" + std::to_string(i);
        for (int i = 0; i < CData_AllCfg::DIALFILTER_MAX; ++i)
            cfg.m_DialFilter[i].m_strMsn =
                std::string(static_cast<size_t>(i) + 1, static_cast<char>('0' + i % 10));
        const bool bInfotext = CData_Properties::Current().m_bEntryInfotext;
        for (int i = 0; i < CData_AllCfg::ALARMCALL_MAX; ++i)
        {
            CData_AlarmCall& a = cfg.m_AlarmCall[i];
            a.m_nSetting = 3 - i;
            a.m_nMinute = 59 - i;
            a.m_nHour = 23 - i;
            a.m_nDay = 31 - i;
            a.m_nMonth = 12 - i;
            a.m_nYear = 2099 - i;
            if (bInfotext)
                a.m_strInfotext = std::string(42, static_cast<char>('a' + i));
        }
        CData_AnswerMaschine& m = cfg.m_AnswerMaschine;
        m.m_nActive = m.m_nListen = m.m_nSortMsn = m.m_nRemoteProgramming = 1;
        m.m_nSpeechQuality = 1;
        m.m_nCallDeflection = m.m_nMessageOnCalldeflection = m.m_nMessageOnFullAM = 1;
        m.m_niCallDeflection = 3;
        m.m_nCallsTillCalldefelction = 13;
        m.m_strCallDeflectionNumber = std::string(26, '9');
        CData_AnsMaschInfoText& s = cfg.m_AnsMaschInfoText;
        for (int& n : s.m_anAnnounce)
            n = 1;
        for (int& n : s.m_anInfoText)
            n = 1;
        s.m_nEndText = s.m_nFullAbText = 1;
        for (int i = 0; i < CData_AllCfg::ANSMASCHPERMSN_MAX; ++i)
        {
            CData_AnsMaschPerMsn& p = cfg.m_AnsMaschPerMsn[i];
            p.m_nTiming = p.m_nTimingWeek = p.m_nActive = 1;
            p.m_nMinorAnnouncement = i % 11;
            p.m_nMainAnnouncement = 10 - i % 11;
            p.m_nMaxMessageTime = 1 + i % 4;
            p.m_nMainOperationMode = 4 - i % 4;
            p.m_nMinorOperationMode = 2;
            p.m_nActivationTime = 9 - i % 10;
            for (int d = 0; d < CData_AnsMaschPerMsn::WEEKDAYS; ++d)
            {
                p.m_anTimeTypeWeekAnnounce[d] = (i + d) % 11;
                p.m_anTimeTypeWeekTimeType1[d] = d;
                p.m_anTimeTypeWeekTimeType2[d] = 8 - d;
            }
            p.m_nTimeTypeDay = 8;
        }
        for (int i = 0; i < CData_AllCfg::ANSMASCHTIMETYPE_MAX; ++i)
        {
            CData_AnsMaschTimeType& t = cfg.m_AnsMaschTimeType[i];
            t.m_nStartHour = i;
            t.m_nStartMinute = 59;
            t.m_nEndHour = 23 - i;
            t.m_nEndMinute = i * 5;
        }
        cfg.m_Tone.m_nLoudAnswerMachine = 5;
        cfg.m_VoiceMail.m_strVoiceMailClientNumber = "0301234567#";
        CData_Audio& au = cfg.m_Audio;
        au.m_nMelodyOut = au.m_nAnnounceOut = au.m_nOpenListeningOut = au.m_nIntercomOut =
            au.m_nABListeningOut = 1;
        for (int i = 0; i < CData_AllCfg::VERSIONMODULE_MAX; ++i)
        {
            CData_VersionModule& v = cfg.m_VersionModule[i];
            v.m_nModuleType = 1 + i % 3;
            v.m_strVersion = "1." + std::to_string(i);
            v.m_strRelease = "Rel \xC4" + std::to_string(i);
            v.m_strSerialNo = std::string(9, static_cast<char>('1' + i));
        }
    }

    void Phonebook(CData_AllDialName& book) const
    {
        const CData_Properties& props = CData_Properties::Current();
        book.m_Basic.m_nCount = 200;
        char sz[32];
        for (int i = 0; i < CData_AllDialName::ENTRY_MAX; ++i)
        {
            CData_DialName e(i);
            std::snprintf(sz, sizeof sz, "M\xFCller %03d", (i * 7) % 250);
            e.m_strName = sz;
            e.m_strMsnExt = std::to_string(100000 + i);
            e.m_nLoud = 1 + i % 5;
            e.m_nMelodyExt = i % 22;
            e.m_nMsnGo = i % 11;
            if (props.m_bEntryInfotext)
                e.m_strInfotext = "Info " + std::to_string(i);
            EXPECT_NE(nullptr, book.m_List.Insert(e));
        }
    }

    void Version(CData_Version& v, int nPhoneType, const std::string& brand) const
    {
        v.m_nPhoneType = nPhoneType;
        StrToOemType(v.m_nOemType, brand);
        v.m_nCountry = 14;
        v.m_strSerialNo = "987654321";
        v.m_strVersion = "4.10";
        v.m_strRelease = "Release 17 chars.";
        v.m_strOemString = std::string(32, 'O');
        v.m_nLcrSupport = 1;
        v.m_nDbVersion = 4294967295u;
    }
};

struct PhoneCase
{
    std::string brand;
    int nPhoneType;
};

// Every phone type that some brand offers, with every optional type switched on.
std::vector<PhoneCase> OfferedPhones()
{
    std::vector<PhoneCase> cases;
    for (const char* pszBrand : {"TALVO", "VORTANE", "BRELMONDIA", "PALUDIN", "QUESK", "NOVREK", "DROMEL"})
    {
        CData_PropertyInput in;
        in.nVersion = 4100;
        in.brand.m_szDerivat = pszBrand;
        in.brand.m_szCountry = "GER";
        in.bSettingRV730 = in.bSettingRV745 = in.bSettingRV920 = in.bSettingRV930Sms = true;
        const CData_Properties props = CData_Properties::Computed(in);
        for (int t = 0; t < PHONETYPE_LIMIT; ++t)
            if (props.PhoneTypeOffered(t))
                cases.push_back({pszBrand, t});
    }
    return cases;
}

class CData_Blocks2RoundTrip : public CData_Blocks2Test, public ::testing::WithParamInterface<PhoneCase>
{
};

TEST_P(CData_Blocks2RoundTrip, SaveLoadSaveGivesTheSameBytesAndAnEqualContainer)
{
    const PhoneCase& c = GetParam();
    Phone(c.brand.c_str(), c.nPhoneType, 4100);
    Props()->m_bAppCfg = true;
    Props()->m_bAppDialName = true;
    const CFill fill{c.nPhoneType};
    auto original = std::make_unique<CData_All>();
    fill.Cfg(original->m_Cfg);
    fill.Phonebook(original->m_DialName);
    fill.Version(original->m_Version, c.nPhoneType, c.brand);

    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("first.721").c_str());
    ASSERT_EQ(1, original->MoveFile(1, 0));

    auto loaded = std::make_unique<CData_All>();
    ASSERT_EQ(1, loaded->MoveFile(0, 0));
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, loaded->m_DialName.Count());
    EXPECT_TRUE(*loaded == *original);
    EXPECT_TRUE(loaded->m_Version == original->m_Version);
    // Blocks that are compared only for some phone types still come back.
    for (int i = 0; i < CData_AllCfg::CALLFILTER_MAX && Props()->m_bCallFilter; ++i)
        EXPECT_TRUE(loaded->m_Cfg.m_CallFilter[i] == original->m_Cfg.m_CallFilter[i]);

    CData::File().SetFileName(dir.File("second.721").c_str());
    ASSERT_EQ(1, loaded->MoveFile(1, 0));
    const std::string first = TestReadFile(dir.File("first.721"));
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, TestReadFile(dir.File("second.721")));
}

std::string CaseName(const ::testing::TestParamInfo<PhoneCase>& info)
{
    std::string type;
    PhoneTypeToStr(info.param.nPhoneType, type);
    return info.param.brand + "_" + type;
}

INSTANTIATE_TEST_SUITE_P(EveryOfferedPhone, CData_Blocks2RoundTrip, ::testing::ValuesIn(OfferedPhones()),
                         CaseName);

// The sections of these blocks for one phone type, byte for byte as stored files have them.
TEST_F(CData_Blocks2Test, SectionsMatchTheGoldenFile)
{
    Phone("TALVO", PHONETYPE_RV930, 4100);
    auto all = std::make_unique<CData_All>();
    const CFill fill{3};
    fill.Cfg(all->m_Cfg);
    fill.Version(all->m_Version, PHONETYPE_RV930, "TALVO");
    CData_AllDialName book;
    fill.Phonebook(book);
    book.m_List.Filter([](const CData_DialName& e) { return e.Number() < 3; });

    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("golden.721").c_str());
    ASSERT_EQ(1, CData::File().Open(0));
    all->m_Version.MoveFile(1, 0);
    all->m_Cfg.ForEachFileBlock(
        [](CData& block)
        {
            const std::string kind = block.Name().substr(0, block.Name().find('_'));
            if (kind != "Basic" && kind != "Key" && kind != "KeyE920" && kind != "MsnPara")
                block.MoveFile(1, 0);
        });
    book.MoveFile(1, 0);
    ASSERT_EQ(1, CData::File().Close());
    EXPECT_EQ(TestReadFile(TestDataPath("blocks2/rv930.721")), TestReadFile(dir.File("golden.721")));
}
} // namespace
