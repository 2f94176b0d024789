#include "shell/CR740CfDoc.h"

#include "CTest_AppFixture.h"
#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "testsupport/CTest_WriteLimit.h"

#include <memory>

#include <sys/stat.h>

namespace
{
class Doc : public CTest_AppFixture
{
protected:
    void SetUp() override
    {
        CTest_AppFixture::SetUp();
        ASSERT_EQ(1, Start());
        m_pDoc = App().Document();
        ASSERT_NE(nullptr, m_pDoc);
    }
    // A change the container comparison sees.
    void ChangeAKey() { App().DocData().m_Cfg.m_Key[0].m_nKeyUse = CData_Key::KEYUSE_DIAL + 3; }

    CR740CfDoc* m_pDoc = nullptr;
};

TEST_F(Doc, ANewDocumentIsNotModified)
{
    EXPECT_EQ(1, m_pDoc->OnFileNew());
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_TRUE(m_ui.Shown().empty());
    EXPECT_FALSE(m_pDoc->SavedToChosenFile());
}

TEST_F(Doc, AModuleKeyChangeIsNoModification)
{
    App().DocData().m_Cfg.m_KeyE920[5].m_nKeyUse = CData_Key::KEYUSE_DIAL + 3;
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_TRUE(m_ui.Shown().empty());
}

struct CAskCase
{
    const char* pszWhat;
    int nAnswer;
    int nResult;
};

class DocAsk : public Doc, public ::testing::WithParamInterface<CAskCase>
{
};

TEST_P(DocAsk, AKeyChangeAsksWhetherToSave)
{
    ChangeAKey();
    m_ui.QueueAnswer(GetParam().nAnswer);
    // Yes leads into the save dialog, which the script cancels: that cancels the close as well.
    EXPECT_EQ(GetParam().nResult, m_pDoc->SaveModified());
    EXPECT_TRUE(m_pDoc->IsModified());
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_EQ(CUi_Interface::BUTTONS_YES_NO_CANCEL, m_ui.Shown()[0].buttons);
}

const CAskCase s_askCases[] = {
    {"No", CUi_Interface::ANSWER_NO, 1},
    {"Cancel", CUi_Interface::ANSWER_CANCEL, 0},
    {"YesThenDialogCancelled", CUi_Interface::ANSWER_YES, 0},
};
INSTANTIATE_TEST_SUITE_P(Cases, DocAsk, ::testing::ValuesIn(s_askCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

// ---- Proposed names and extensions ----

struct CNameCase
{
    const char* pszWhat;
    const char* pszName;
    const char* pszExtension;
    const char* pszClean;
};

class DocCleanName : public ::testing::TestWithParam<CNameCase>
{
};

TEST_P(DocCleanName, CutsAtTheLastDotAndReplacesUnsafeCharacters)
{
    EXPECT_EQ(GetParam().pszClean,
              CR740CfDoc::CleanProposedName(GetParam().pszName, GetParam().pszExtension));
}

const CNameCase s_nameCases[] = {
    {"SlashColonDot", "A/B:C.x", ".cfg", "A_B_C.cfg"},
    {"NoDotKeepsAll", "Front desk", ".cfg", "Front desk.cfg"},
    {"OnlyTheLastDot", "a.b.c", ".721", "a.b.721"},
    {"EveryUnsafeCharacter", "\\/:*?\"<>|", "", "_________"},
    {"Empty", "", ".cfg", ".cfg"},
    {"DotFirst", ".hidden", ".cfg", ".cfg"},
    {"HighBytesKept", "M\xFCller", ".cfg", "M\xFCller.cfg"},
};
INSTANTIATE_TEST_SUITE_P(Cases, DocCleanName, ::testing::ValuesIn(s_nameCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

struct CExtensionCase
{
    const char* pszDerivat;
    int nPhoneType;
    const char* pszExtension;
};

class DocExtension : public CTest_AppFixture, public ::testing::WithParamInterface<CExtensionCase>
{
};

TEST_P(DocExtension, FollowsBrandAndPhoneType)
{
    const CExtensionCase& c = GetParam();
    m_table = TestBrandTable(c.pszDerivat);
    ASSERT_EQ(1, Start());
    App().DerivatToProperties(c.nPhoneType);
    App().DocData().m_Cfg.m_Basic.m_strUnitName = "Desk.old";
    EXPECT_EQ(c.pszExtension, App().Document()->DefaultExtension());
    EXPECT_EQ(0, App().Document()->OnFileSave()); // the script cancels the dialog
    ASSERT_EQ(1u, m_ui.FilesAsked().size());
    const CTest_ScriptedUi::CFileAsked& asked = m_ui.FilesAsked()[0];
    EXPECT_TRUE(asked.bSave);
    EXPECT_EQ(c.pszExtension, asked.defaultExt);
    EXPECT_EQ(std::string("Desk") + c.pszExtension, asked.proposedName);
    EXPECT_EQ("Configuration files (*.cfg)|*.cfg||", asked.filter);
    // Cancelled: the title becomes the cleaned name.
    EXPECT_EQ(std::string("Desk") + c.pszExtension, App().Document()->Title());
}

const CExtensionCase s_extensionCases[] = {
    {"VORTANE", PHONETYPE_RV740, ".721"}, {"VORTANE", PHONETYPE_RV920, ".722"},
    {"VORTANE", PHONETYPE_R740, ""},      {"TALVO", PHONETYPE_RV740, ".cfg"},
    {"TALVO", PHONETYPE_RV920, ".cfg"},
};
INSTANTIATE_TEST_SUITE_P(Cases, DocExtension, ::testing::ValuesIn(s_extensionCases));

TEST_F(Doc, WithoutAUnitNameTheTitleIsProposed)
{
    m_pDoc->SetTitle("My:phone.cfg");
    m_pDoc->OnFileSave();
    ASSERT_EQ(1u, m_ui.FilesAsked().size());
    EXPECT_EQ("My_phone.cfg", m_ui.FilesAsked()[0].proposedName);
    EXPECT_EQ("My_phone.cfg", m_pDoc->Title());
}

// ---- Saving ----

TEST_F(Doc, SaveThroughTheDialogThenFileSaveWritesWithoutADialog)
{
    const std::string path = m_workDir.File("first.cfg");
    ChangeAKey();
    m_ui.QueueFileName(path);
    ASSERT_EQ(1, m_pDoc->OnFileSave());
    EXPECT_TRUE(m_pDoc->SavedToChosenFile());
    EXPECT_EQ(path, App().LastFilePath());
    EXPECT_EQ(path, m_pDoc->PathName());
    EXPECT_EQ("first.cfg", m_pDoc->Title());
    EXPECT_EQ(path, App().RecentFiles().front());
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_FALSE(m_pDoc->IsModified());
    const std::string first = TestReadFile(path);
    EXPECT_NE(std::string::npos, first.find("[Basic_00000000]"));

    App().DocData().m_Cfg.m_Key[1].m_nKeyUse = CData_Key::KEYUSE_DIAL + 3;
    ASSERT_EQ(1, m_pDoc->OnFileSave());
    EXPECT_EQ(1u, m_ui.FilesAsked().size()); // no second dialog
    EXPECT_NE(first, TestReadFile(path));
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(Doc, SavedFileOpensAsTheSameConfiguration)
{
    const std::string path = m_workDir.File("round.cfg");
    ChangeAKey();
    App().DocData().m_Cfg.m_Basic.m_strUnitName = "Desk";
    ASSERT_EQ(1, m_pDoc->OnSaveDocument(path));
    CData_All saved = App().DocData();
    ASSERT_EQ(1, m_pDoc->OnFileNew());
    EXPECT_FALSE(App().DocData() == saved);
    m_ui.QueueFileName(path);
    ASSERT_EQ(1, m_pDoc->OnFileOpen());
    EXPECT_TRUE(App().DocData() == saved);
    EXPECT_TRUE(App().SavedData() == saved);
    EXPECT_EQ("round.cfg", m_pDoc->Title());
    EXPECT_EQ(path, App().LastFilePath());
    // The open command does not make the file the document's path.
    EXPECT_EQ("", m_pDoc->PathName());
    // The next open dialog starts where this one ended.
    m_pDoc->OnFileOpen();
    EXPECT_EQ(path, m_ui.FilesAsked().back().initialDir);
}

TEST_F(Doc, OpenDialogStartsAtTheLastPathAndCancelChangesNothing)
{
    App().SetLastFilePath("/some/where/x.cfg");
    ChangeAKey();
    const CData_All before = App().DocData();
    EXPECT_EQ(0, m_pDoc->OnFileOpen());
    ASSERT_EQ(1u, m_ui.FilesAsked().size());
    EXPECT_FALSE(m_ui.FilesAsked()[0].bSave);
    EXPECT_EQ("/some/where/x.cfg", m_ui.FilesAsked()[0].initialDir);
    EXPECT_TRUE(App().DocData() == before);
}

struct CFailCase
{
    const char* pszWhat;
    // Makes the target unwritable in the temporary directory; gives the target.
    std::string (*pfnPrepare)(const CTest_TempDir& dir);
    bool bOldFile; // a previous file exists and must survive
};

std::string MissingDirectory(const CTest_TempDir& dir)
{
    return dir.File("no/such/dir/x.cfg");
}
std::string ParentIsAFile(const CTest_TempDir& dir)
{
    TestWriteFile(dir.File("plain"), "x");
    return dir.File("plain/x.cfg");
}
std::string TargetIsADirectory(const CTest_TempDir& dir)
{
    ::mkdir(dir.File("adir.cfg").c_str(), 0700);
    return dir.File("adir.cfg");
}
std::string OldFileWriteBlocked(const CTest_TempDir& dir)
{
    // Any failure to write will do: the test saves onto a full disk.
    TestWriteFile(dir.File("old.cfg"), "previous contents\r\n");
    return dir.File("old.cfg");
}

class DocSaveFails : public Doc, public ::testing::WithParamInterface<CFailCase>
{
};

TEST_P(DocSaveFails, IsReportedAndKeepsOldFileAndModifiedState)
{
    const std::string target = GetParam().pfnPrepare(m_workDir);
    App().SetLastFilePath("/earlier/choice.cfg");
    ChangeAKey();
    m_ui.QueueFileName(target);
    {
        std::unique_ptr<CTest_WriteLimit> pFullDisk;
        if (GetParam().bOldFile)
            pFullDisk = std::make_unique<CTest_WriteLimit>(0);
        EXPECT_EQ(0, m_pDoc->OnFileSave());
    }

    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_NE(std::string::npos, m_ui.Shown()[0].text.find(target));
    EXPECT_EQ(CUi_Interface::ICON_STOP, m_ui.Shown()[0].icon);
    EXPECT_FALSE(m_pDoc->SavedToChosenFile());
    EXPECT_EQ("/earlier/choice.cfg", App().LastFilePath());
    EXPECT_EQ("", m_pDoc->PathName());
    EXPECT_TRUE(App().RecentFiles().empty());
    if (GetParam().bOldFile)
    {
        EXPECT_EQ("previous contents\r\n", TestReadFile(target));
    }

    // Still modified: closing asks again.
    m_ui.QueueAnswer(CUi_Interface::ANSWER_NO);
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(2u, m_ui.Shown().size());
}

const CFailCase s_failCases[] = {
    {"MissingDirectory", MissingDirectory, false},
    {"ParentIsAFile", ParentIsAFile, false},
    {"TargetIsADirectory", TargetIsADirectory, false},
    {"OldFileKept", OldFileWriteBlocked, true},
};
INSTANTIATE_TEST_SUITE_P(Cases, DocSaveFails, ::testing::ValuesIn(s_failCases),
                         [](const auto& i) { return std::string(i.param.pszWhat); });

TEST_F(Doc, RepeatedSaveToAVanishedDirectoryFailsAndStaysModified)
{
    CTest_TempDir dir;
    const std::string path = dir.File("sub/x.cfg");
    ::mkdir(dir.File("sub").c_str(), 0700);
    m_ui.QueueFileName(path);
    ASSERT_EQ(1, m_pDoc->OnFileSave());
    std::remove(path.c_str());
    ::rmdir(dir.File("sub").c_str());
    ChangeAKey();
    EXPECT_EQ(0, m_pDoc->OnFileSave());
    EXPECT_EQ(1u, m_ui.FilesAsked().size());
    ASSERT_EQ(1u, m_ui.Shown().size());
    EXPECT_NE(std::string::npos, m_ui.Shown()[0].text.find("No such file or directory"));
    m_ui.QueueAnswer(CUi_Interface::ANSWER_CANCEL);
    EXPECT_EQ(0, m_pDoc->SaveModified());
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(Doc, AFileThatCannotBeOpenedLeavesDocData)
{
    ChangeAKey();
    const CData_All before = App().DocData();
    App().SetPhoneImageValid(true);
    EXPECT_EQ(0, m_pDoc->OnOpenDocument(m_workDir.File("absent.cfg")));
    EXPECT_TRUE(App().DocData() == before);
    EXPECT_TRUE(App().PhoneImageValid());
    ASSERT_EQ(1u, m_ui.Shown().size());
}

// The file's phone type is in force for its sections; the view follows once, after the read.
TEST_F(Doc, OpeningAFileRefreshesTheViewOnceAfterTheRead)
{
    const std::string path = m_workDir.File("rv930.cfg");
    TestWriteFile(path, "[Version_00000000]\r\nPhoneType=RV930\r\n");
    m_view.m_calls.clear();
    m_window.SetPortPane("");
    ASSERT_EQ(1, m_pDoc->OnOpenDocument(path));
    EXPECT_EQ((std::vector<std::string>{"RefreshPages", "DocToView"}), m_view.m_calls);
    EXPECT_EQ(" USB", m_window.PortPane()); // an RV930 has a USB link, shown in the pane
}

TEST_F(Doc, OpeningAFileClearsPhoneImageValidAndTakesItsVersion)
{
    const std::string path = m_workDir.File("v.cfg");
    TestWriteFile(path, "[Version_00000000]\r\nPhoneType=RV750\r\nVersion=3.01\r\n");
    App().SetPhoneImageValid(true);
    ASSERT_EQ(1, m_pDoc->OpenDocumentFile(path));
    EXPECT_FALSE(App().PhoneImageValid());
    EXPECT_EQ(PHONETYPE_RV750, App().DocData().m_Version.m_nPhoneType);
    EXPECT_EQ(PHONETYPE_RV750, CData_Properties::CurrentInput().nPhoneType);
    EXPECT_EQ(3010, App().VersionNumber());
    EXPECT_EQ(path, m_pDoc->PathName());
    EXPECT_EQ(1, m_pDoc->SaveModified());
    EXPECT_FALSE(m_pDoc->IsModified());
}
} // namespace
