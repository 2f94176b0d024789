// The transfer state machine over a lower layer with the emulator's telephone behind it, time on
// the manual clock: whole transfers of several phone types and brands, then the cases where a
// state decides something (skipping, PIN, repeats, refusals, the phonebook's end, progress).

#include "transfer/CLayerPP_Data.h"

#include "CTest_PhoneLayer.h"
#include "data/CData_All.h"
#include "data/CData_FirmwareUpdate.h"
#include "data/CData_RecordTable.h"
#include "data/CData_Version.h"
#include "testsupport/CTest_ManualClock.h"
#include "testsupport/CTest_Properties.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <ostream>
#include <set>
#include <string>

namespace
{
constexpr int TIMER_OPEN = 2000;
constexpr int TIMER_DATA = 5000;
constexpr unsigned REPEAT_DATA = 5;

// A telephone: the brand data the program runs with, and what the telephone reports.
struct CPhoneCase
{
    const char* pszWhat;
    const char* pszBrand;
    int nPhoneType;
    int nOemType;
    const char* pszVersion;
    int anModules[4];
};

void PrintTo(const CPhoneCase& c, std::ostream* os)
{
    *os << c.pszWhat;
}

class CLayerPP_DataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nConfigVersion = CData_Version::ConfigVersion();
        CData_AlarmCall::SetLocalTimeSource(FixedTime);
    }
    void TearDown() override
    {
        m_pData.reset();
        m_pLower.reset();
        CData_Version::SetConfigVersion(m_nConfigVersion);
        CData_FirmwareUpdate::UpdateFileName().clear();
        CData_AlarmCall::SetLocalTimeSource(nullptr);
    }

    // New alarm calls take the clock's time: one fixed time, so that fresh containers are equal.
    static bool FixedTime(std::tm& out)
    {
        out = std::tm{};
        out.tm_year = 107;
        out.tm_mon = 5;
        out.tm_mday = 5;
        out.tm_hour = 12;
        return true;
    }

    // The properties as the program and the emulator both compute them for the telephone; a
    // telephone with recognisable values in every kind of block.
    void MakePhone(const CPhoneCase& c)
    {
        CData_PropertyInput input;
        input.brand.m_szDerivat = c.pszBrand;
        input.brand.m_szCountry = "GER";
        input.brand.m_bAppCfg = true;
        input.brand.m_bAppDialName = true;
        input.nVersion = VersionToNumber(c.pszVersion);
        input.nPhoneType = c.nPhoneType;
        CData_Properties::Install(input);

        m_phone = CData_All();
        m_phone.m_Version.m_nPhoneType = c.nPhoneType;
        m_phone.m_Version.m_nOemType = c.nOemType;
        m_phone.m_Version.m_strVersion = c.pszVersion;
        m_phone.m_Version.m_strSerialNo = "123456789";
        for (int i = 0; i < 4; ++i)
            m_phone.m_Cfg.m_VersionModule[i].m_nModuleType = c.anModules[i];
        CData_AllCfg& cfg = m_phone.m_Cfg;
        cfg.m_Basic.m_strUnitName = "EMPFANG";
        cfg.m_Basic.m_nLoudBox = 5;
        cfg.m_Basic.m_strPayMult = "0,12";
        cfg.m_MsnPara[0].m_strMsn = "301234";
        cfg.m_MsnPara[0].m_strTxt = "Home";
        cfg.m_MsnPara[2].m_strMsn = "305555";
        cfg.m_MsnPara[2].m_nPayCounter = 70000;
        cfg.m_Key[3].m_strDialKeyMsn = "0301234";
        cfg.m_DialFilter[7].m_strMsn = "0190";
        cfg.m_DialVip[1].m_strMsn = "0401";
        cfg.m_DialVip[1].m_strName = "Anna";
        cfg.m_CallFilter[4].m_strMsn = "0900";
        if (CData_RecordTable::PhoneHas(m_phone, CData_AllCfg::K_ANSWERMASCHINE, 0))
            cfg.m_AnswerMaschine.m_nActive = 1;
        cfg.m_KeyE920[43].m_strDialKeyMsn = "777";
        for (int i = 0; i < 3; ++i)
        {
            CData_DialName entry(i);
            entry.m_strName = std::string("Name") + char('A' + i);
            entry.m_strMsnExt = "0301" + std::to_string(i);
            m_phone.m_DialName.m_List.Append(entry);
        }
        m_phone.m_DialName.m_Basic.m_nCount = 3;
        m_transfer = CData_All();
        m_doc = m_transfer;
        m_image = m_transfer;
    }

    // Builds the stack for a transfer mode, opens and connects it and runs it to its end (or
    // until it waits for time to pass).
    int Run(int nMode)
    {
        m_pData.reset();
        m_pLower.reset();
        m_pLower = std::make_unique<CTest_PhoneLayer>(m_sim);
        m_pLower->m_script = m_script;
        m_pData = std::make_unique<CLayerPP_Data>(&m_transfer, nMode, TIMER_OPEN, TIMER_DATA, REPEAT_DATA,
                                                  m_shared);
        m_pLower->LinkUp(m_pData.get(), 0);
        EXPECT_EQ(1, m_pData->Open());
        m_pLower->Connect();
        m_nProgressAtStart = m_pData->GetProgress();
        m_pLower->Pump();
        return m_pData->GetStatus();
    }

    // The identifiers of the frames the program wrote.
    std::set<int> WrittenIds() const
    {
        std::set<int> ids;
        for (const auto& frame : m_pLower->m_written)
            ids.insert(frame[0]);
        return ids;
    }

    CLayerPP_DataShared Shared()
    {
        CLayerPP_DataShared shared;
        shared.pDocData = &m_doc;
        shared.pPhoneImage = &m_image;
        shared.pbPhoneImageValid = &m_bImageValid;
        return shared;
    }

    CTest_ManualClock m_clock;
    CData_All m_phone;
    CSim_Phone m_sim{m_phone};
    CData_All m_transfer;
    CData_All m_doc;
    CData_All m_image;
    bool m_bImageValid = false;
    CLayerPP_DataShared m_shared = Shared();
    std::function<CSim_Phone::Frame(const CSim_Phone::Frame&)> m_script;
    std::unique_ptr<CTest_PhoneLayer> m_pLower;
    std::unique_ptr<CLayerPP_Data> m_pData;
    int m_nProgressAtStart = -1;

private:
    CTest_PropertiesGuard m_propsGuard;
    int m_nConfigVersion = 0;
};

// ---- Whole transfers -----------------------------------------------------------------------------

class CLayerPP_DataRoundTrip : public CLayerPP_DataTest, public ::testing::WithParamInterface<CPhoneCase>
{
};

TEST_P(CLayerPP_DataRoundTrip, ReceivesAndSendsConfigurationAndPhonebook)
{
    MakePhone(GetParam());

    // Receive: the transfer container ends up with the telephone's configuration.
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_CFG)) << m_pData->ErrorText();
    EXPECT_EQ(0, m_nProgressAtStart);
    EXPECT_TRUE(m_transfer.m_Cfg == m_phone.m_Cfg);
    EXPECT_TRUE(m_transfer.m_Version == m_phone.m_Version);
    const bool bModule2 = GetParam().anModules[2] != MODULETYPE_NON;
    EXPECT_EQ(bModule2, m_transfer.m_Cfg.m_KeyE920[43] == m_phone.m_Cfg.m_KeyE920[43]);

    // Send it back changed: the telephone stores every change.
    m_transfer.m_Cfg.m_MsnPara[0].m_strMsn = "309999";
    m_transfer.m_Cfg.m_Key[2].m_strDialKeyMsn = "112";
    m_transfer.m_Cfg.m_KeyE920[44].m_strDialKeyMsn = "888";
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_CFG)) << m_pData->ErrorText();
    EXPECT_TRUE(m_phone.m_Cfg == m_transfer.m_Cfg);
    EXPECT_EQ("309999", m_phone.m_Cfg.m_MsnPara[0].m_strMsn);
    EXPECT_EQ(bModule2 ? "888" : "", m_phone.m_Cfg.m_KeyE920[44].m_strDialKeyMsn);

    // The phonebook both ways.
    m_transfer.ResetDialName();
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_DIALNAME)) << m_pData->ErrorText();
    EXPECT_TRUE(m_transfer.m_DialName.m_List == m_phone.m_DialName.m_List);
    m_transfer.m_DialName.Entry(1)->m_strName = "Zora";
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_DIALNAME)) << m_pData->ErrorText();
    EXPECT_TRUE(m_transfer.m_DialName.m_List == m_phone.m_DialName.m_List);
}

INSTANTIATE_TEST_SUITE_P(
    Phones, CLayerPP_DataRoundTrip,
    ::testing::Values(
        CPhoneCase{"RV740 of TALVO", "TALVO", PHONETYPE_RV740, OEMTYPE_TALVO, "4.10", {0, 0, 0, 0}},
        CPhoneCase{"RV930 with answering machine and two key modules",
                   "TALVO",
                   PHONETYPE_RV930,
                   OEMTYPE_TALVO,
                   "4.10",
                   {MODULETYPE_AB, MODULETYPE_E920, MODULETYPE_E920, MODULETYPE_NON}},
        CPhoneCase{"RV730 of TALVO", "TALVO", PHONETYPE_RV730, OEMTYPE_TALVO, "4.10", {0, 0, 0, 0}},
        CPhoneCase{"RV920 of VORTANE", "VORTANE", PHONETYPE_RV920, OEMTYPE_VORTANE, "3.40", {0, 0, 0, 0}},
        CPhoneCase{
            "R740 2.10 without call filters", "TALVO", PHONETYPE_R740, OEMTYPE_TALVO, "2.10", {0, 0, 0, 0}},
        CPhoneCase{
            "RV730U of TALVO under NOVREK", "NOVREK", PHONETYPE_RV730U, OEMTYPE_TALVO, "4.10", {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<CPhoneCase>& param) { return "Phone" + std::to_string(param.index); });

// ---- The version check ---------------------------------------------------------------------------

struct CCheckCase
{
    const char* pszBrand;
    int nPhoneType;
    int nOemType;
    int nStatus;
};

class CLayerPP_DataCheck : public CLayerPP_DataTest, public ::testing::WithParamInterface<CCheckCase>
{
};

TEST_P(CLayerPP_DataCheck, RefusesTypesAndBrandsTheProgramDoesNotServe)
{
    const CCheckCase& c = GetParam();
    MakePhone({"", c.pszBrand, c.nPhoneType, c.nOemType, "4.10", {0, 0, 0, 0}});
    EXPECT_EQ(c.nStatus, Run(CLayerPP_Data::MODE_RX_DIALNAME)) << m_pData->ErrorText();
    if (c.nStatus == TRANS_ERROR)
    {
        EXPECT_EQ(1u, m_pLower->m_written.size()); // the version request only
    }
}

INSTANTIATE_TEST_SUITE_P(
    Phones, CLayerPP_DataCheck,
    ::testing::Values(CCheckCase{"TALVO", PHONETYPE_R920, OEMTYPE_TALVO, TRANS_ERROR},
                      CCheckCase{"VORTANE", PHONETYPE_R920, OEMTYPE_VORTANE, TRANS_ERROR},
                      CCheckCase{"TALVO", PHONETYPE_RV740, OEMTYPE_DROMEL, TRANS_DONE},
                      CCheckCase{"VORTANE", PHONETYPE_RV740, OEMTYPE_DROMEL, TRANS_ERROR},
                      CCheckCase{"NOVREK", PHONETYPE_RV740, OEMTYPE_TALVO, TRANS_DONE},
                      CCheckCase{"NOVREK", PHONETYPE_RV740, OEMTYPE_NOVREK, TRANS_ERROR},
                      CCheckCase{"QUESK", PHONETYPE_RV740, OEMTYPE_QUESK, TRANS_ERROR},
                      // The brand does not offer the type (TALVO only with the setting "RV920").
                      CCheckCase{"TALVO", PHONETYPE_RV920, OEMTYPE_TALVO, TRANS_ERROR}));

// ---- Sending -------------------------------------------------------------------------------------

const CPhoneCase s_rv740{"RV740", "TALVO", PHONETYPE_RV740, OEMTYPE_TALVO, "4.10", {0, 0, 0, 0}};

TEST_F(CLayerPP_DataTest, UnchangedConfigurationSendsOnlyWhatIsNeverSkipped)
{
    MakePhone(s_rv740);
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_CFG));
    // What the dialog does after a successful transfer.
    m_doc = m_transfer;
    m_image = m_transfer;
    m_bImageValid = true;

    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_CFG)) << m_pData->ErrorText();
    EXPECT_EQ((std::set<int>{CData_Version::RECORD_ID, CData_Basic::ID_SWITCHES, CData_Basic::ID_PIN,
                             CData_Key::ID_KEY, CData_Audio::RECORD_ID}),
              WrittenIds());

    // One changed MSN sends the whole MSN group; the others stay skipped.
    m_doc.m_Cfg.m_MsnPara[4].m_strTxt = "Fax";
    m_transfer = m_doc;
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_CFG));
    EXPECT_EQ(static_cast<size_t>(CData_AllCfg::Active(CData_AllCfg::K_MSNPARA)),
              m_pLower->Written(CData_MsnPara::ID_RECORD));
    EXPECT_EQ(0u, m_pLower->Written(CData_DialFilter::RECORD_ID));
    EXPECT_EQ("Fax", m_phone.m_Cfg.m_MsnPara[4].m_strTxt);

    // Another telephone of the same type gets everything.
    m_phone.m_Version.m_strSerialNo = "987654321";
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_CFG));
    EXPECT_FALSE(m_bImageValid);
    EXPECT_EQ(14u, m_pLower->Written(CData_DialFilter::RECORD_ID));
}

TEST_F(CLayerPP_DataTest, WrongPinIsRejectedWithoutResendAndStoresNothing)
{
    MakePhone(s_rv740);
    m_sim.SetPin("1111");
    const CData_AllCfg before = m_phone.m_Cfg;
    m_transfer.m_Cfg.m_MsnPara[0].m_strMsn = "4711";
    EXPECT_EQ(TRANS_REJECTED, Run(CLayerPP_Data::MODE_TX_CFG));
    EXPECT_EQ(1u, m_pLower->Written(CData_Basic::ID_PIN));
    EXPECT_EQ(0u, m_clock.Running());
    EXPECT_TRUE(m_phone.m_Cfg == before);
}

TEST_F(CLayerPP_DataTest, SixthTimeOutOfOneFrameEndsTheTransfer)
{
    MakePhone(s_rv740);
    m_script = [](const CSim_Phone::Frame&) { return CSim_Phone::Frame(); };
    ASSERT_EQ(TRANS_BUSY, Run(CLayerPP_Data::MODE_RX_CFG));
    m_clock.Advance(REPEAT_DATA * TIMER_DATA);
    EXPECT_EQ(TRANS_BUSY, m_pData->GetStatus());
    EXPECT_EQ(1 + REPEAT_DATA, m_pLower->m_written.size());
    m_clock.Advance(TIMER_DATA);
    EXPECT_EQ(TRANS_ERROR, m_pData->GetStatus());
    EXPECT_EQ(1 + REPEAT_DATA, m_pLower->m_written.size());
    EXPECT_EQ(0u, m_clock.Running());
}

TEST_F(CLayerPP_DataTest, NegativeAcknowledgementRepeatsTheSameFrame)
{
    MakePhone(s_rv740);
    int nRefusals = 2;
    m_script = [this, &nRefusals](const CSim_Phone::Frame& frame)
    {
        if (frame[0] == CData_MsnPara::ID_RECORD && frame[2] == 1 && nRefusals-- > 0)
            return CSim_Phone::Acknowledge(false);
        return m_pLower->Answer(frame);
    };
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_CFG)) << m_pData->ErrorText();
    EXPECT_EQ(static_cast<size_t>(CData_AllCfg::Active(CData_AllCfg::K_MSNPARA)) + 2,
              m_pLower->Written(CData_MsnPara::ID_RECORD));
}

TEST_F(CLayerPP_DataTest, NoConnectionWithinTheOpenTimeOutFails)
{
    MakePhone(s_rv740);
    CTest_PhoneLayer lower(m_sim);
    CLayerPP_Data data(&m_transfer, CLayerPP_Data::MODE_RX_CFG, TIMER_OPEN, TIMER_DATA, REPEAT_DATA,
                       m_shared);
    lower.LinkUp(&data, 0);
    ASSERT_EQ(1, data.Open());
    m_clock.Advance(TIMER_OPEN);
    EXPECT_EQ(TRANS_ERROR, data.GetStatus());
    EXPECT_EQ(0, lower.IsOpen());
}

TEST_F(CLayerPP_DataTest, LinkLossEndsARunningTransferButNotAFinishedOne)
{
    MakePhone(s_rv740);
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_PAYCOUNTER));
    m_pLower->OnRx(IND_DISCONNECT, -1);
    EXPECT_EQ(TRANS_DONE, m_pData->GetStatus());

    m_script = [](const CSim_Phone::Frame&) { return CSim_Phone::Frame(); };
    ASSERT_EQ(TRANS_BUSY, Run(CLayerPP_Data::MODE_RX_CFG));
    m_pLower->OnRx(IND_DISCONNECT, -1);
    EXPECT_EQ(TRANS_ERROR, m_pData->GetStatus());
    EXPECT_EQ(0u, m_clock.Running());
}

// ---- Phonebook -----------------------------------------------------------------------------------

TEST_F(CLayerPP_DataTest, PhonebookEndsAtAnEmptyNameAndProgressReachesAHundred)
{
    MakePhone(s_rv740);
    m_phone.m_DialName.Entry(2)->m_strName.clear();
    m_phone.m_DialName.m_List.Append(CData_DialName(3));
    m_phone.m_DialName.Entry(3)->m_strName = "After";
    m_phone.m_DialName.Entry(3)->m_strMsnExt = "1";
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_DIALNAME));
    EXPECT_EQ(0, m_nProgressAtStart);
    EXPECT_EQ(100, m_pData->GetProgress());
    ASSERT_EQ(2, m_transfer.m_DialName.Count());
    EXPECT_EQ("NameB", m_transfer.m_DialName.Entry(1)->m_strName);
    EXPECT_EQ(2, m_transfer.m_DialName.m_Basic.m_nCount);
}

TEST_F(CLayerPP_DataTest, FullPhonebookCountsTwoHundredFiftyOnTheLink)
{
    MakePhone(s_rv740);
    for (int i = 0; i < CData_AllDialName::ENTRY_MAX; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "N" + std::to_string(i);
        entry.m_strMsnExt = std::to_string(1000 + i);
        m_transfer.m_DialName.m_List.Insert(entry);
    }
    m_transfer.m_DialName.m_Basic.m_nCount = 0; // what the file holds for a full phonebook
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_DIALNAME));
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, m_phone.m_DialName.m_Basic.m_nCount);
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, m_phone.m_DialName.Count());

    m_transfer.ResetDialName();
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_DIALNAME));
    EXPECT_EQ(CData_AllDialName::ENTRY_MAX, m_transfer.m_DialName.Count());
}

TEST_F(CLayerPP_DataTest, SendingPassesOverEntriesWithoutANumberAndSendsAllOthers)
{
    MakePhone(s_rv740);
    const char* const numbers[] = {"", "0301", "", "0302", "0303", ""};
    for (int i = 0; i < 6; ++i)
    {
        CData_DialName entry(i);
        entry.m_strName = "N" + std::to_string(i);
        entry.m_strMsnExt = numbers[i];
        m_transfer.m_DialName.m_List.Append(entry);
    }
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_TX_DIALNAME)) << m_pData->ErrorText();
    EXPECT_EQ(100, m_pData->GetProgress());
    EXPECT_EQ(3, m_phone.m_DialName.m_Basic.m_nCount);

    // What the telephone gives back: the three, in list order, numbered without gaps.
    m_transfer.ResetDialName();
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_RX_DIALNAME)) << m_pData->ErrorText();
    ASSERT_EQ(3, m_transfer.m_DialName.Count());
    const int sent[] = {1, 3, 4};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(i, m_transfer.m_DialName.Entry(i)->Number());
        EXPECT_EQ("N" + std::to_string(sent[i]), m_transfer.m_DialName.Entry(i)->m_strName);
        EXPECT_EQ(numbers[sent[i]], m_transfer.m_DialName.Entry(i)->m_strMsnExt);
    }
}

// ---- Commands ------------------------------------------------------------------------------------

TEST_F(CLayerPP_DataTest, CommandsReachTheTelephone)
{
    MakePhone(s_rv740);
    m_sim.SetPin("9999");
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_PINRESET));
    EXPECT_EQ(m_transfer.m_Cfg.m_PinReset.m_strPin, m_sim.Pin());

    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_PAYCOUNTER));
    EXPECT_EQ(0u, m_phone.m_Cfg.m_MsnPara[2].m_nPayCounter);

    // Without "/DOWNLOAD" the firmware update sends nothing.
    CData_FirmwareUpdate::UpdateFileName() = "4711";
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_FIRMWARE));
    EXPECT_EQ("", m_sim.FirmwareFile());
    m_shared.bFirmwareMode = true;
    ASSERT_EQ(TRANS_DONE, Run(CLayerPP_Data::MODE_FIRMWARE));
    EXPECT_EQ("4711", m_sim.FirmwareFile());
}

TEST_F(CLayerPP_DataTest, PayCounterResetOfAPhoneWithoutItFailsAfterTheVersionCheck)
{
    MakePhone({"RV740 2.10", "TALVO", PHONETYPE_RV740, OEMTYPE_TALVO, "2.10", {0, 0, 0, 0}});
    EXPECT_EQ(TRANS_ERROR, Run(CLayerPP_Data::MODE_PAYCOUNTER));
    EXPECT_EQ((std::set<int>{CData_Version::RECORD_ID}), WrittenIds());
    EXPECT_EQ(70000u, m_phone.m_Cfg.m_MsnPara[2].m_nPayCounter);
}

// ---- Simulation ----------------------------------------------------------------------------------

TEST_F(CLayerPP_DataTest, SimulationReachesMsnSlotZeroByTheIndexInTheRecord)
{
    MakePhone(s_rv740);
    m_transfer.m_Cfg.m_MsnPara[0].m_strMsn = "555";
    unsigned char record[CData::RECORD_MAX];

    // Serving: a request for slot 0 is answered from slot 0.
    const int nRequest = m_transfer.m_Cfg.m_MsnPara[0].MoveBlock(CData::MB_REQUEST, record, sizeof record, 0);
    m_script = [&](const CSim_Phone::Frame&) { return CSim_Phone::Frame(); };
    ASSERT_EQ(TRANS_BUSY, Run(CLayerPP_Data::MODE_SIMU_TX));
    m_pLower->m_queue.push_back(CSim_Phone::Frame(record, record + nRequest));
    m_pLower->Pump();
    ASSERT_EQ(1u, m_pLower->m_written.size());
    CData_MsnPara answer(0);
    EXPECT_EQ(
        static_cast<int>(m_pLower->m_written[0].size()),
        answer.MoveBlock(CData::MB_PARSE, m_pLower->m_written[0].data(), m_pLower->m_written[0].size(), 0));
    EXPECT_EQ("555", answer.m_strMsn);

    // Receiving: slot 0's record lands in slot 0 and is acknowledged.
    answer.m_strMsn = "666";
    const int nData = answer.MoveBlock(CData::MB_DATA, record, sizeof record, 0);
    ASSERT_EQ(TRANS_BUSY, Run(CLayerPP_Data::MODE_SIMU_RX));
    m_pLower->m_queue.push_back(CSim_Phone::Frame(record, record + nData));
    m_pLower->Pump();
    EXPECT_EQ("666", m_transfer.m_Cfg.m_MsnPara[0].m_strMsn);
    ASSERT_EQ(1u, m_pLower->m_written.size());
    EXPECT_EQ(CSim_Phone::Acknowledge(true), m_pLower->m_written[0]);
}
} // namespace
