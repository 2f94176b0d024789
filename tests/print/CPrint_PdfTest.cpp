// Each print rendered to a PDF file as the tool writes it, its pages counted and its text read
// back (pdftotext, when installed). The files stay in <build>/test-output/print for a person to
// look at.

#include "print/CPrint_Pdf.h"

#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "platform/CPlatform_Resource.h"
#include "print/CPrint_Painter.h"
#include "testsupport/CTest_Pdf.h"
#include "testsupport/CTest_TempDir.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
std::string OutputPath(const std::string& name)
{
    const QString dir = QStringLiteral(R740_BINARY_DIR "/test-output/print");
    QDir().mkpath(dir);
    return (dir + "/" + QString::fromStdString(name)).toStdString();
}

// The text of a page (0: all pages) as pdftotext reads it; empty when pdftotext is missing.
std::string PdfText(const std::string& path, int nPage = 0)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::string();
    QStringList args;
    if (nPage)
        args << "-f" << QString::number(nPage) << "-l" << QString::number(nPage);
    args << QString::fromStdString(path) << "-";
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(30000);
    return process.readAllStandardOutput().toStdString();
}

bool HavePdfText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The program's own default texts: the bundle beside the programs.
class PrintPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_resource.LoadFile(R740_BINARY_DIR "/Res_Pb.rcc"));
        CPlatform_Resource::SetCurrent(&m_resource);
    }
    void TearDown() override { CPlatform_Resource::SetCurrent(nullptr); }

    void FillPhonebook(int nCount)
    {
        for (int i = 0; i < nCount; ++i)
        {
            CData_DialName entry(i);
            char sz[32];
            std::snprintf(sz, sizeof sz, "Name %03d", i + 1);
            entry.m_strName = sz;
            entry.m_strMsnExt = "0301" + std::to_string(100000 + i);
            ASSERT_NE(nullptr, m_data.m_DialName.m_List.Append(entry));
        }
    }

    CPlatform_Resource m_resource;
    CData_All m_data;
};

TEST_F(PrintPdf, PhonebookOfTwoHundredFiftyEntriesFillsItsPages)
{
    FillPhonebook(250);
    const std::string path = OutputPath("phonebook.pdf");
    std::string error;
    int nPages = 0;
    ASSERT_EQ(1, CPrint_Pdf::WritePhonebook(path, m_data, error, &nPages)) << error;
    // About 65 lines fit on an A4 page.
    EXPECT_EQ(4, nPages);
    EXPECT_EQ(nPages, TestPdfPages(path));
    if (!HavePdfText())
        GTEST_SKIP() << "pdftotext is not installed: the pages' texts are not read back";
    const std::string first = PdfText(path, 1);
    for (const char* psz :
         {"R740Cf", "Seite 1", "No.", "Name", "Number", "001", "Name 001", "0301100000", "007"})
        EXPECT_NE(std::string::npos, first.find(psz)) << psz;
    const std::string last = PdfText(path, nPages);
    EXPECT_NE(std::string::npos, last.find("Seite 4"));
    EXPECT_NE(std::string::npos, last.find("250"));
    EXPECT_NE(std::string::npos, last.find("Name 250"));
}

TEST_F(PrintPdf, PageRangeStartsWithTheLineItsPageStartsWith)
{
    FillPhonebook(250);
    const std::string path = OutputPath("phonebook-pages-2-3.pdf");
    std::string firstOfPage2;
    std::string lastOfPage1;
    std::string error;
    ASSERT_EQ(1, CPrint_Pdf::Write(
                     path, "range",
                     [&](QPagedPaintDevice& device)
                     {
                         const CPrint_PhonebookLayout layout = CPrint_Painter::Layout(
                             device, CPrint_PhonebookLayout::PrintLines(m_data.m_DialName));
                         char sz[16];
                         std::snprintf(sz, sizeof sz, "%03d", layout.Page(2).front().nLine + 1);
                         firstOfPage2 = sz;
                         std::snprintf(sz, sizeof sz, "%03d", layout.Page(1).back().nLine + 1);
                         lastOfPage1 = sz;
                         return CPrint_Painter::PaintPhonebook(device, m_data.m_DialName, 2, 3);
                     },
                     error))
        << error;
    EXPECT_EQ(2, TestPdfPages(path));
    if (!HavePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string page = PdfText(path, 1);
    EXPECT_NE(std::string::npos, page.find("Seite 2"));
    EXPECT_NE(std::string::npos, page.find("\n" + firstOfPage2 + "\n")) << firstOfPage2;
    EXPECT_EQ(std::string::npos, page.find("\n" + lastOfPage1 + "\n")) << lastOfPage1;
}

TEST_F(PrintPdf, KeyLabelSheetIsOnePage)
{
    m_data.m_Cfg.m_Key[0].m_strKeyName = "Taxi";
    const std::string path = OutputPath("key-labels.pdf");
    std::string error;
    ASSERT_EQ(1, CPrint_Pdf::WriteKeyLabels(path, m_data, 10, error)) << error;
    EXPECT_EQ(1, TestPdfPages(path));
    if (!HavePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string text = PdfText(path);
    EXPECT_NE(std::string::npos, text.find("Default MSN"));
    EXPECT_NE(std::string::npos, text.find("Taxi"));
    EXPECT_NE(std::string::npos, text.find("Dial key"));
}

TEST_F(PrintPdf, ModuleLabelSheetHasItsSecondStripOnlyForAnE920)
{
    for (int i = 0; i < CData_AllCfg::MODULE_KEY_COUNT; ++i)
        m_data.m_Cfg.m_KeyE920[i].m_strKeyName = "Mod" + std::to_string(i);
    for (int nType : {MODULETYPE_E920, MODULETYPE_W920})
    {
        m_data.m_Cfg.m_VersionModule[1].m_nModuleType = nType;
        const std::string path =
            OutputPath(nType == MODULETYPE_E920 ? "module-labels-e920.pdf" : "module-labels-w920.pdf");
        std::string error;
        ASSERT_EQ(1, CPrint_Pdf::WriteModuleLabels(path, m_data, 1, error)) << error;
        EXPECT_EQ(1, TestPdfPages(path));
        if (!HavePdfText())
            continue;
        const std::string text = PdfText(path);
        EXPECT_NE(std::string::npos, text.find("Mod0\n")) << nType;
        EXPECT_NE(std::string::npos, text.find("Mod22\n")) << nType;
        EXPECT_EQ(nType == MODULETYPE_E920, text.find("Mod10\n") != std::string::npos) << nType;
    }
}

TEST_F(PrintPdf, FailedPrintLeavesTheOldFile)
{
    CTest_TempDir dir;
    const std::string path = dir.File("old.pdf");
    TestWriteFile(path, "old contents");
    std::string error;
    EXPECT_EQ(0, CPrint_Pdf::WriteModuleLabels(path, m_data, 4, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(0, CPrint_Pdf::Write(
                     path, "nothing", [](QPagedPaintDevice&) { return 0; }, error));
    EXPECT_EQ("old contents", TestReadFile(path));
    EXPECT_EQ(0, CPrint_Pdf::WritePhonebook(dir.File("missing/dir/out.pdf"), m_data, error));
    EXPECT_FALSE(error.empty());
}
} // namespace
