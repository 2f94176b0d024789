#include "CData_Blocks2Fixture.h"

#include "data/CData_AlarmCall.h"
#include "data/CData_AnsMaschInfoText.h"
#include "data/CData_AnsMaschPerMsn.h"
#include "data/CData_AnsMaschTimeType.h"
#include "data/CData_AnswerMaschine.h"
#include "data/CData_Audio.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Tone.h"
#include "data/CData_VoiceMail.h"
#include "testsupport/CTest_TempDir.h"

namespace
{
class CData_AnsMaschTest : public CData_Blocks2Test
{
protected:
    // Writes the blocks to a file and reads the file back into the others.
    static void ThroughFile(const std::vector<CData*>& from, const std::vector<CData*>& to,
                            std::string* pText = nullptr)
    {
        CTest_TempDir dir;
        CData::File().SetFileName(dir.File("b.721").c_str());
        ASSERT_EQ(1, CData::File().Open(0));
        for (CData* p : from)
            p->MoveFile(1, 0);
        ASSERT_EQ(1, CData::File().Close());
        if (pText)
            *pText = TestReadFile(dir.File("b.721"));
        ASSERT_EQ(1, CData::File().Open(1));
        for (CData* p : to)
            p->MoveFile(0, 0);
        CData::File().Close();
    }
};

TEST_F(CData_AnsMaschTest, AlarmCallOfFirstMarch2006)
{
    Props()->m_bEntryInfotext = false;
    CData_AlarmCall a(1);
    a.m_nYear = 2006;
    a.m_nMonth = 3;
    a.m_nDay = 1;
    a.m_nHour = 7;
    a.m_nMinute = 30;
    a.m_nSetting = 2;
    const Bytes rec = {0x63, 0x01, 0x01, 0x06, 0x03, 0x01, 0x07, 0x1E, 0x03};
    EXPECT_EQ(rec, Build(a));
    EXPECT_EQ((Bytes{0x63, 0x00, 0x01}), Build(a, CData::MB_REQUEST));
    CData_AlarmCall parsed(1);
    EXPECT_EQ(9, Parse(parsed, rec));
    EXPECT_TRUE(parsed == a);

    Props()->m_bEntryInfotext = true;
    a.m_strInfotext = "T\xFC";
    const Bytes withText = {0x64, 0x01, 0x01, 0x06, 0x03, 0x01, 0x07, 0x1E, 0x03, 0x02, 'T', 0x81};
    EXPECT_EQ(withText, Build(a));
    EXPECT_EQ(0, Parse(parsed, rec)) << "0x63 where info texts are exchanged";
    EXPECT_EQ(12, Parse(parsed, withText));
    EXPECT_TRUE(parsed == a);
}

TEST_F(CData_AnsMaschTest, AlarmSettingCoding)
{
    // {setting, sent}
    const int cases[][2] = {{0, 0}, {1, 1}, {2, 3}, {3, 4}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(c[1], CData_AlarmCall::SettingToPhone(c[0]));
        EXPECT_EQ(c[0], CData_AlarmCall::SettingFromPhone(c[1]));
    }
}

TEST_F(CData_AnsMaschTest, NewAlarmCallTakesTheClockButNoYearBefore2000)
{
    CData_AlarmCall now;
    EXPECT_EQ(2007, now.m_nYear);
    EXPECT_EQ(6, now.m_nMonth);
    EXPECT_EQ(5, now.m_nDay);
    EXPECT_EQ(12, now.m_nHour);
    EXPECT_EQ(34, now.m_nMinute);
    EXPECT_EQ(0, now.m_nSetting);

    CData_AlarmCall::SetLocalTimeSource(
        [](std::tm& out)
        {
            FixedTime(out);
            out.tm_year = 98;
            return true;
        });
    CData_AlarmCall old;
    EXPECT_EQ(2000, old.m_nYear);
    // The real clock gives some year from 2000 on.
    CData_AlarmCall::SetLocalTimeSource(nullptr);
    EXPECT_GE(CData_AlarmCall().m_nYear, 2000);
}

TEST_F(CData_AnsMaschTest, AlarmCallFileHoldsTheYearFrom2000)
{
    Props()->m_bEntryInfotext = true;
    CData_AlarmCall a(2);
    a.m_nYear = 2005;
    a.m_strInfotext = std::string(42, 'x');
    CData_AlarmCall b(2);
    std::string text;
    ThroughFile({&a}, {&b}, &text);
    EXPECT_NE(std::string::npos,
              text.find("[AlarmCall_00000002]\r\nDay=5\r\nHour=12\r\nMinute=34\r\nMonth=6\r\n"
                        "Year=5\r\nSetting=0\r\nInfotext=" +
                        std::string(42, 'x') + "\r\n"));
    EXPECT_TRUE(b == a) << "the whole 42-character info text comes back";
    EXPECT_EQ(2005, b.m_nYear);
}

TEST_F(CData_AnsMaschTest, AnswerMaschineRecordAndKeys)
{
    CData_AnswerMaschine m;
    EXPECT_EQ(2, m.m_nSpeechQuality);
    m.m_nActive = 1;
    m.m_nListen = 0;
    m.m_nRemoteProgramming = 1;
    m.m_nSpeechQuality = 1;
    m.m_nCallDeflection = 1;
    m.m_niCallDeflection = 3;
    m.m_nSortMsn = 1;
    m.m_nCallsTillCalldefelction = 13;
    m.m_nMessageOnCalldeflection = 1;
    m.m_nMessageOnFullAM = 0;
    m.m_strCallDeflectionNumber = "0301";
    Props()->m_bCallDeflectionModes = false;
    const Bytes rec = {0xA0, 0x01, 1, 0, 1, 1, 1, 1, 14, 1, 0, 4, '0', '3', '0', '1'};
    EXPECT_EQ(rec, Build(m)) << "13 rings are sent as 14";
    EXPECT_EQ((Bytes{0xA0, 0x00}), Build(m, CData::MB_REQUEST));
    CData_AnswerMaschine parsed;
    parsed.m_niCallDeflection = 3;
    EXPECT_EQ(16, Parse(parsed, rec));
    EXPECT_TRUE(parsed == m);

    Props()->m_bCallDeflectionModes = true;
    Bytes modes = rec;
    modes[6] = 3;
    EXPECT_EQ(modes, Build(m)) << "the mode instead of the switch";
    CData_AnswerMaschine parsedModes;
    parsedModes.m_nCallDeflection = 1;
    EXPECT_EQ(16, Parse(parsedModes, modes));
    EXPECT_TRUE(parsedModes == m);

    CData_AnswerMaschine read;
    std::string text;
    ThroughFile({&m}, {&read}, &text);
    EXPECT_NE(
        std::string::npos,
        text.find("[AnswerMaschine_00000000]\r\nActive=On\r\nListen=Off\r\nRemoteProgramming=On\r\n"
                  "CallDeflection=On\r\niCallDeflection=3\r\nMessageOnCalldeflection=On\r\n"
                  "MessageOnFullAM=Off\r\nSortMsn=On\r\nSpeechQuality=1\r\nCallsTillCalldefelction=13\r\n"
                  "CallDeflectionNumber=0301\r\n"));
    EXPECT_TRUE(read == m);
}

struct PerMsnCase
{
    int nIndex;
    size_t nLength;
};

class CData_AnsMaschPerMsnRecord : public CData_AnsMaschTest, public ::testing::WithParamInterface<PerMsnCase>
{
};

TEST_P(CData_AnsMaschPerMsnRecord, WeeklyPlanOnlyForTheFirstThree)
{
    const PerMsnCase& c = GetParam();
    CData_AnsMaschPerMsn p(c.nIndex);
    p.m_nActive = 1;
    p.m_nActivationTime = 4;
    p.m_nMainOperationMode = 2;
    p.m_nMaxMessageTime = 3;
    p.m_nMainAnnouncement = 5;
    p.m_nMinorAnnouncement = 6;
    p.m_nTiming = 1;
    p.m_nTimeTypeDay = 7;
    p.m_nTimingWeek = 1;
    p.m_nMinorOperationMode = 4;
    for (int d = 0; d < CData_AnsMaschPerMsn::WEEKDAYS; ++d)
    {
        p.m_anTimeTypeWeekAnnounce[d] = d + 1;
        p.m_anTimeTypeWeekTimeType1[d] = d;
        p.m_anTimeTypeWeekTimeType2[d] = 8 - d;
    }
    const Bytes rec = Build(p);
    ASSERT_EQ(c.nLength, rec.size());
    const Bytes head = {0xA1, 0x01, static_cast<unsigned char>(c.nIndex), 1, 4, 2, 3, 5, 6, 1, 7};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), rec.begin()));
    if (c.nLength == 34)
    {
        EXPECT_EQ(1, rec[11]);
        EXPECT_EQ(4, rec[12]);
        EXPECT_EQ((Bytes{1, 0, 8}), Bytes(rec.begin() + 13, rec.begin() + 16)) << "Monday";
        EXPECT_EQ((Bytes{7, 6, 2}), Bytes(rec.begin() + 31, rec.end())) << "Sunday at 31 to 33";
    }
    CData_AnsMaschPerMsn parsed(c.nIndex);
    if (c.nLength == 11)
    {
        // Not exchanged: the weekly plan stays.
        parsed = p;
        parsed.m_nActive = 0;
    }
    EXPECT_EQ(static_cast<int>(c.nLength), Parse(parsed, rec));
    EXPECT_TRUE(parsed == p);
    CData_AnsMaschPerMsn other(c.nIndex + 1);
    EXPECT_EQ(0, Parse(other, rec));
    for (size_t n = 0; n < rec.size(); ++n)
        EXPECT_EQ(0, Parse(parsed, Bytes(rec.begin(), rec.begin() + static_cast<long>(n)))) << n;

    CData_AnsMaschPerMsn read(c.nIndex);
    ThroughFile({&p}, {&read});
    EXPECT_TRUE(read == p);
}

INSTANTIATE_TEST_SUITE_P(Indexes, CData_AnsMaschPerMsnRecord,
                         ::testing::Values(PerMsnCase{0, 34}, PerMsnCase{1, 34}, PerMsnCase{2, 34},
                                           PerMsnCase{3, 11}, PerMsnCase{5, 11}, PerMsnCase{10, 11}));

TEST_F(CData_AnsMaschTest, PerMsnKeyOrderAndColumns)
{
    Texts("3104\tEin\n3105\tAus\n");
    CData_AnsMaschPerMsn p(4);
    p.m_nActive = 1;
    p.m_nActivationTime = 2;
    p.m_nMaxMessageTime = 4;
    CData_AnsMaschPerMsn read(4);
    std::string text;
    ThroughFile({&p}, {&read}, &text);
    EXPECT_NE(
        std::string::npos,
        text.find(
            "[AnsMaschPerMsn_00000004]\r\nActive=On\r\nActivationTime=2\r\nMainOperationMode=1\r\n"
            "MaxMessageTime=4\r\nMainAnnouncement=0\r\nMinorAnnouncement=0\r\nTiming=Off\r\n"
            "TimeTypeDay=0\r\nTimingWeek=Off\r\nMinorOperationMode=1\r\nTimeTypeWeekAnnounce_1=0\r\n"
            "TimeTypeWeek_TimeType1_1=0\r\nTimeTypeWeek_TimeType2_1=0\r\nTimeTypeWeekAnnounce_2=0\r\n"));
    EXPECT_NE(std::string::npos, text.find("TimeTypeWeek_TimeType2_7=0\r\n"));

    EXPECT_EQ("5", p.InfoText(0));
    EXPECT_EQ("Ein", p.InfoText(1));
    EXPECT_EQ("2", p.InfoText(2));
    EXPECT_EQ("4", p.InfoText(3));
    EXPECT_EQ("Inf 4", p.InfoText(4));
    CData_AnsMaschPerMsn::SetValueTextLookup(
        [](int nColumn, int nValue) { return nColumn == 3 ? std::to_string(nValue * 30) + " s" : ""; });
    EXPECT_EQ("120 s", p.InfoText(3));
    EXPECT_EQ("2", p.InfoText(2));
    CData_AnsMaschPerMsn::SetValueTextLookup(nullptr);
    p.m_nActive = 0;
    EXPECT_EQ("Aus", p.InfoText(1));
    CData_AnsMaschPerMsn general(CData_AnsMaschPerMsn::INDEX_GENERAL);
    EXPECT_EQ("11", general.InfoText(0));
}

TEST_F(CData_AnsMaschTest, TimeWindowInUseFollowsTheLastRead)
{
    CData_AnsMaschTimeType w(8);
    EXPECT_FALSE(w.InUse());
    const Bytes rec = {0xA2, 0x01, 0x08, 0, 0, 0, 0};
    EXPECT_EQ(rec, Build(w));
    EXPECT_EQ(7, Parse(w, rec));
    EXPECT_FALSE(w.InUse());

    w.m_nEndMinute = 15;
    EXPECT_FALSE(w.InUse()) << "only a read works it out";
    CData_AnsMaschTimeType read(8);
    ThroughFile({&w}, {&read});
    EXPECT_TRUE(read.InUse());
    EXPECT_TRUE(read == w);
    EXPECT_EQ(7, Parse(read, rec));
    EXPECT_FALSE(read.InUse());
    EXPECT_EQ(7, Parse(read, {0xA2, 0x01, 0x08, 22, 0, 6, 30}));
    EXPECT_TRUE(read.InUse());
    EXPECT_EQ("22:00", read.InfoText(1));
    EXPECT_EQ(0, Parse(read, {0xA2, 0x01, 0x07, 22, 0, 6, 30}));
}

TEST_F(CData_AnsMaschTest, StatusIsOnlyReceived)
{
    CData_AnsMaschInfoText s;
    Bytes rec = {0xA3, 0x01};
    for (int i = 0; i < 17; ++i)
        rec.push_back(static_cast<unsigned char>(i % 2));
    EXPECT_EQ(19, Parse(s, rec));
    EXPECT_EQ(0, s.m_anAnnounce[0]);
    EXPECT_EQ(1, s.m_anAnnounce[9]);
    EXPECT_EQ(0, s.m_nEndText);
    EXPECT_EQ(1, s.m_nFullAbText);
    EXPECT_EQ(0, s.m_anInfoText[0]);
    EXPECT_EQ(0, s.m_anInfoText[4]);
    EXPECT_EQ(1, s.m_anInfoText[3]);
    EXPECT_TRUE(Build(s).empty()) << "never sent";
    EXPECT_EQ((Bytes{0xA3, 0x00}), Build(s, CData::MB_REQUEST));
    EXPECT_EQ(0, Parse(s, Bytes(rec.begin(), rec.end() - 1)));

    CData_AnsMaschInfoText read;
    std::string text;
    ThroughFile({&s}, {&read}, &text);
    EXPECT_NE(std::string::npos,
              text.find("Announce10=On\r\nFullAbText=On\r\nEndText=Off\r\nInfoText1=Off\r\n"));
    EXPECT_TRUE(read == s);
}

TEST_F(CData_AnsMaschTest, ToneVoiceMailAndAudio)
{
    CData_Tone tone;
    EXPECT_EQ(1, tone.m_nLoudAnswerMachine);
    tone.m_nLoudAnswerMachine = 5;
    EXPECT_EQ((Bytes{0xA4, 0x01, 5}), Build(tone));
    CData_VoiceMail vm;
    vm.m_strVoiceMailClientNumber = "5555";
    EXPECT_EQ((Bytes{0xA5, 0x01, 4, '5', '5', '5', '5'}), Build(vm));
    CData_Audio audio;
    audio.m_nAnnounceOut = 1;
    audio.m_nABListeningOut = 1;
    EXPECT_EQ((Bytes{0x36, 0x01, 0, 1, 0, 0, 1}), Build(audio));
    EXPECT_EQ((Bytes{0x36, 0x00}), Build(audio, CData::MB_REQUEST));

    CData_Tone tone2;
    CData_VoiceMail vm2;
    CData_Audio audio2;
    EXPECT_EQ(3, Parse(tone2, Build(tone)));
    EXPECT_EQ(7, Parse(vm2, Build(vm)));
    EXPECT_EQ(7, Parse(audio2, Build(audio)));
    EXPECT_TRUE(tone2 == tone);
    EXPECT_TRUE(vm2 == vm);
    EXPECT_TRUE(audio2 == audio);
    EXPECT_EQ(0, Parse(vm2, {0xA5, 0x01, 5, '1'}));
    EXPECT_EQ(0, Parse(audio2, {0x36, 0x01, 0, 0, 0, 0}));

    CData_Tone tone3;
    CData_VoiceMail vm3;
    CData_Audio audio3;
    std::string text;
    ThroughFile({&tone, &vm, &audio}, {&tone3, &vm3, &audio3}, &text);
    EXPECT_NE(std::string::npos,
              text.find("[Audio_00000000]\r\nMelodyOut=Off\r\nAnnounceOut=On\r\n"
                        "OpenListeningOut=Off\r\nIntercomOut=Off\r\nABListeningOut=On\r\n"));
    EXPECT_TRUE(tone3 == tone);
    EXPECT_TRUE(vm3 == vm);
    EXPECT_TRUE(audio3 == audio);
}
} // namespace
