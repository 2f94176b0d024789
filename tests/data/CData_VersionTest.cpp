#include "CData_Blocks2Fixture.h"

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_FirmwareUpdate.h"
#include "data/CData_PinReset.h"
#include "data/CData_Service.h"
#include "data/CData_VersionModule.h"
#include "testsupport/CTest_TempDir.h"

#include <memory>

namespace
{
class CData_VersionTest : public CData_Blocks2Test
{
protected:
    static CData_Version Sample()
    {
        CData_Version v;
        v.m_nPhoneType = PHONETYPE_RV930;
        v.m_nOemType = OEMTYPE_VORTANE;
        v.m_nLcrSupport = 1;
        v.m_strSerialNo = "123456789";
        v.m_strVersion = "4.10";
        v.m_strRelease = "R1";
        v.m_nCountry = 1;
        v.m_strOemString = "Gr\xF6\xDF"
                           "e";
        v.m_nDbVersion = 0x01020304;
        return v;
    }
    static Bytes SampleRecord()
    {
        return {0x10, 0x01, 0x16, 0x04, 0x01, 0x09, '1',  '2',  '3',  '4',  '5',  '6',
                '7',  '8',  '9',  0x04, '4',  '.',  '1',  '0',  0x02, 'R',  '1',  0x01,
                0x01, 0x05, 0x47, 0x72, 0x94, 0xE1, 0x65, 0x04, 0x01, 0x02, 0x03, 0x04};
    }
};

TEST_F(CData_VersionTest, RecordCarriesEveryFieldInOrder)
{
    CData_Version v = Sample();
    EXPECT_EQ(SampleRecord(), Build(v));
    EXPECT_EQ((Bytes{0x10, 0x00, 0x00}), Build(v, CData::MB_REQUEST));

    CData_Version parsed;
    EXPECT_EQ(static_cast<int>(SampleRecord().size()), Parse(parsed, SampleRecord()));
    EXPECT_TRUE(parsed == v);
    EXPECT_EQ(4100, CData_Version::ConfigVersion()) << "the received version text sets the version number";
}

struct RefusalCase
{
    const char* pszWhat;
    size_t nOffset;
    unsigned char nValue;
};

class CData_VersionRefusal : public CData_VersionTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(CData_VersionRefusal, LeavesTheBlockUnchanged)
{
    Bytes rec = SampleRecord();
    rec[GetParam().nOffset] = GetParam().nValue;
    CData_Version v;
    const CData_Version before = v;
    EXPECT_EQ(0, Parse(v, rec)) << GetParam().pszWhat;
    EXPECT_TRUE(v == before);
}

INSTANTIATE_TEST_SUITE_P(Fields, CData_VersionRefusal,
                         ::testing::Values(RefusalCase{"identifier", 0, 0x11},
                                           RefusalCase{"request", 1, 0x00},
                                           RefusalCase{"country length 2", 23, 0x02},
                                           RefusalCase{"country length 0", 23, 0x00},
                                           RefusalCase{"database length 3", 31, 0x03},
                                           RefusalCase{"serial number beyond the end", 5, 0xF0}));

TEST_F(CData_VersionTest, OverlongFieldsAreCutButPassedWhole)
{
    CData_Version v = Sample();
    v.m_strSerialNo = "123456789012"; // 12 digits: the record sends 9
    Bytes rec = Build(v);
    EXPECT_EQ(SampleRecord(), rec);
    // A telephone sending 12 digits: 9 are kept and the fields behind stay in place.
    Bytes longer = SampleRecord();
    longer[5] = 12;
    longer.insert(longer.begin() + 15, {'0', '1', '2'});
    CData_Version parsed;
    EXPECT_EQ(static_cast<int>(longer.size()), Parse(parsed, longer));
    EXPECT_EQ("123456789", parsed.m_strSerialNo);
    EXPECT_EQ("4.10", parsed.m_strVersion);
    EXPECT_EQ(0x01020304u, parsed.m_nDbVersion);
}

TEST_F(CData_VersionTest, EveryShortenedRecordIsRefusedAndTooLittleRoomBuildsNothing)
{
    const Bytes full = SampleRecord();
    for (size_t n = 0; n < full.size(); ++n)
    {
        CData_Version v;
        const CData_Version before = v;
        Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
        EXPECT_EQ(0, v.MoveBlock(CData::MB_PARSE, cut.data(), cut.size(), 0)) << n;
        EXPECT_TRUE(v == before);
        CData_Version s = Sample();
        Bytes room(n);
        EXPECT_EQ(0, s.MoveBlock(CData::MB_DATA, room.data(), room.size(), 0)) << n;
    }
}

TEST_F(CData_VersionTest, ReadingAFileAppliesItsPhoneTypeBeforeTheBlocksBehindIt)
{
    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("rv930.721").c_str());
    // An RV930 at 3.30 has info texts on its phonebook entries and alarm calls; an R740 has not.
    Phone("TALVO", PHONETYPE_RV930, 3300);
    Props()->m_bAppDialName = true;
    auto saved = std::make_unique<CData_All>();
    saved->m_Version.m_nPhoneType = PHONETYPE_RV930;
    saved->m_Version.m_strVersion = "3.30";
    saved->m_Cfg.m_AlarmCall[1].m_strInfotext = "Wecken";
    CData_DialName e(0);
    e.m_strName = "Anna";
    e.m_strMsnExt = "0301234";
    e.m_strInfotext = "Info";
    saved->m_DialName.m_List.Insert(e);
    ASSERT_EQ(1, saved->MoveFile(1, 0));

    Phone("TALVO", PHONETYPE_R740, 3300);
    Props()->m_bAppDialName = true;
    ASSERT_FALSE(Props()->m_bEntryInfotext);
    auto loaded = std::make_unique<CData_All>();
    ASSERT_EQ(1, loaded->MoveFile(0, 0));
    EXPECT_EQ(PHONETYPE_RV930, loaded->m_Version.m_nPhoneType);
    EXPECT_TRUE(Props()->m_bEntryInfotext);
    EXPECT_EQ("Wecken", loaded->m_Cfg.m_AlarmCall[1].m_strInfotext);
    ASSERT_EQ(1, loaded->m_DialName.Count());
    EXPECT_EQ("Info", loaded->m_DialName.Entry(0)->m_strInfotext);
}

TEST_F(CData_VersionTest, TheFilesPhoneTypeIsAppliedOnTheTermsInForce)
{
    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("v.721").c_str());
    CData_All written;
    written.m_Version = Sample();
    ASSERT_EQ(1, written.MoveFile(1, 0));

    Phone("VORTANE", PHONETYPE_R740, 3000);
    CData_PropertyInput in = CData_Properties::CurrentInput();
    in.bSettingRV745 = true;
    CData_Properties::Install(in);

    // The version block alone computes nothing; the container applies its phone type.
    CData_Version read;
    ASSERT_EQ(1, CData::File().Open(1));
    read.MoveFile(0, 0);
    CData::File().Close();
    EXPECT_TRUE(read == written.m_Version);
    EXPECT_EQ(PHONETYPE_R740, CData_Properties::CurrentInput().nPhoneType);

    CData_All all;
    ASSERT_EQ(1, all.MoveFile(0, 0));
    const CData_PropertyInput& applied = CData_Properties::CurrentInput();
    EXPECT_EQ(PHONETYPE_RV930, applied.nPhoneType);
    EXPECT_EQ(3000, applied.nVersion) << "the file's version text does not change the version number";
    EXPECT_EQ("VORTANE", applied.brand.m_szDerivat);
    EXPECT_TRUE(applied.bSettingRV745);
    EXPECT_TRUE(CData_Properties::Current().m_bUsbCapable) << "the properties of an RV930";
}

TEST_F(CData_VersionTest, ModuleRecordBelongsToItsSlot)
{
    CData_VersionModule m(2);
    m.m_nModuleType = MODULETYPE_E920;
    m.m_strVersion = "1.2";
    m.m_strRelease = "B";
    m.m_strSerialNo = "77";
    const Bytes rec = {0x9F, 0x01, 0x02, 0x01, 0x03, '1', '.', '2', 0x01, 'B', 0x02, '7', '7'};
    EXPECT_EQ(rec, Build(m));
    EXPECT_EQ((Bytes{0x9F, 0x00, 0x02}), Build(m, CData::MB_REQUEST));

    CData_VersionModule other(3);
    EXPECT_EQ(0, Parse(other, rec)) << "a record for another slot";
    CData_VersionModule same(2);
    EXPECT_EQ(static_cast<int>(rec.size()), Parse(same, rec));
    EXPECT_TRUE(same == m);
    EXPECT_EQ("VersionModule_00000002", same.Name());
}

TEST_F(CData_VersionTest, CommandRecords)
{
    CData_PinReset pin;
    EXPECT_EQ("5182", pin.m_strPin);
    const Bytes pinRec = {0x18, 0x01, 0x04, '5', '1', '8', '2', 'P'};
    EXPECT_EQ(pinRec, Build(pin));
    EXPECT_EQ(0, Parse(pin, pinRec)) << "only sent";
    Bytes room(7);
    EXPECT_EQ(0, pin.MoveBlock(CData::MB_DATA, room.data(), room.size(), 0));

    CData_Service service;
    for (int i = 0; i < CData_Service::VALUE_COUNT; ++i)
        service.m_anValue[i] = i + 1;
    const Bytes serviceRec = {0xFF, 0x01, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(serviceRec, Build(service));
    EXPECT_EQ(0, Parse(service, serviceRec));

    CData_FirmwareUpdate update;
    CData_FirmwareUpdate::UpdateFileName() = "fw_4_10.bin";
    const Bytes updateRec = {0x19, 0x01, 11, 'f', 'w', '_', '4', '_', '1', '0', '.', 'b', 'i', 'n'};
    EXPECT_EQ(updateRec, Build(update));
    EXPECT_EQ("fw_4_10.bin", update.m_strFileName);
    EXPECT_EQ((Bytes{0x19, 0x00}), Build(update, CData::MB_REQUEST));
    Bytes longName = {0x19, 0x01, 30};
    longName.resize(33, 'x');
    EXPECT_EQ(33, Parse(update, longName));
    EXPECT_EQ(std::string(26, 'x'), update.m_strFileName);
    CData_FirmwareUpdate::UpdateFileName().clear();
}

TEST_F(CData_VersionTest, FileKeysRoundTripAndTheVersionTextSetsTheVersionNumber)
{
    CTest_TempDir dir;
    CData::File().SetFileName(dir.File("v.721").c_str());
    Phone("TALVO", PHONETYPE_RV930, 4100);
    CData_Version v = Sample();
    v.m_strVersion = "1.99";
    ASSERT_EQ(1, CData::File().Open(0));
    v.MoveFile(1, 0);
    CData_VersionModule m(1);
    m.m_nModuleType = MODULETYPE_AB;
    m.m_strVersion = "2.0";
    m.MoveFile(1, 0);
    ASSERT_EQ(1, CData::File().Close());
    EXPECT_EQ(1990, CData_Version::ConfigVersion());
    const std::string text = TestReadFile(dir.File("v.721"));
    EXPECT_NE(std::string::npos,
              text.find("[Version_00000000]\r\nPhoneType=RV930\r\nOemType=VORTANE\r\nCountry=GER\r\n"
                        "SerialNo=123456789\r\nVersion=1.99\r\nRelease=R1\r\nOemString=Gr\xF6\xDF"
                        "e\r\nLcrSupport=On\r\nDbVersion=16909060\r\n"));
    EXPECT_NE(
        std::string::npos,
        text.find("[VersionModule_00000001]\r\nModuleType=AB\r\nVersion=2.0\r\nRelease=\r\nSerialNo=\r\n"));

    CData_Version::SetConfigVersion(0);
    CData_Version r;
    CData_VersionModule rm(1);
    ASSERT_EQ(1, CData::File().Open(1));
    r.MoveFile(0, 0);
    rm.MoveFile(0, 0);
    CData::File().Close();
    EXPECT_TRUE(r == v);
    EXPECT_TRUE(rm == m);
    EXPECT_EQ(1990, CData_Version::ConfigVersion());
}
} // namespace
