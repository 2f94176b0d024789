// Prints rendered to PDF files as the tool writes them, with the program's own default texts, and
// read back (pdftotext, when installed). The tool tests keep one PDF of each print in
// <build>/test-output/print; the page range of the phonebook is kept here.

#include "print/CPrint_Pdf.h"

#include "data/CData_All.h"
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
std::string OutputPath(const char* pszName)
{
    const QString dir = QStringLiteral(R740_BINARY_DIR "/test-output/print");
    QDir().mkpath(dir);
    return (dir + "/" + pszName).toStdString();
}

// The text of a page (0: all pages) as pdftotext reads it, one text per line; "" without it.
std::string PdfText(const std::string& path, int nPage = 0)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::string();
    QStringList args;
    if (nPage)
        args << "-f" << QString::number(nPage) << "-l" << QString::number(nPage);
    QProcess process;
    process.start(tool, args << QString::fromStdString(path) << "-");
    process.waitForFinished(30000);
    return process.readAllStandardOutput().toStdString();
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string Number(int n)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%03d", n);
    return sz;
}

class PrintPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_resource.LoadFile(R740_BINARY_DIR "/Res_Pb.rcc"));
        CPlatform_Resource::SetCurrent(&m_resource);
        m_bText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
        for (int i = 0; i < 250; ++i)
        {
            CData_DialName entry(i);
            entry.m_strName = "Name " + Number(i + 1);
            entry.m_strMsnExt = "0301" + std::to_string(100000 + i);
            m_data.m_DialName.m_List.Append(entry);
        }
    }
    void TearDown() override { CPlatform_Resource::SetCurrent(nullptr); }

    CPlatform_Resource m_resource;
    CData_All m_data;
    bool m_bText = false; // pdftotext is there to read the pages back
};

TEST_F(PrintPdf, PageRangeStartsWithTheLineItsPageStartsWith)
{
    const std::string path = OutputPath("phonebook-pages-2-3.pdf");
    int nFirstOfPage2 = 0;
    std::string error;
    const auto paint = [&](QPagedPaintDevice& device)
    {
        const CPrint_PhonebookLayout layout =
            CPrint_Painter::Layout(device, CPrint_PhonebookLayout::PrintLines(m_data.m_DialName));
        nFirstOfPage2 = layout.Page(2).front().nLine + 1;
        return CPrint_Painter::PaintPhonebook(device, m_data.m_DialName, 2, 3);
    };
    ASSERT_EQ(1, CPrint_Pdf::Write(path, "range", paint, error)) << error;
    EXPECT_EQ(2, TestPdfPages(path));
    if (!m_bText)
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string page = PdfText(path, 1);
    for (const char* psz : {"R740Cf", "Seite 2", "No.", "Name", "Number"})
        EXPECT_TRUE(Has(page, psz)) << psz;
    EXPECT_TRUE(Has(page, "\n" + Number(nFirstOfPage2) + "\n")) << nFirstOfPage2;
    EXPECT_FALSE(Has(page, "\n" + Number(nFirstOfPage2 - 1) + "\n")) << "a line of page 1";
}

TEST_F(PrintPdf, FailedPrintLeavesTheOldFile)
{
    CTest_TempDir dir;
    const std::string path = dir.File("old.pdf");
    TestWriteFile(path, "old contents");
    std::string error;
    EXPECT_EQ(0, CPrint_Pdf::WriteModuleLabels(path, m_data, 4, error));
    // Pages beyond the list: nothing is printed, not even a blank page.
    const auto beyond = [this](QPagedPaintDevice& device)
    { return CPrint_Painter::PaintPhonebook(device, m_data.m_DialName, 9, 10); };
    EXPECT_EQ(0, CPrint_Pdf::Write(path, "beyond", beyond, error));
    EXPECT_EQ("old contents", TestReadFile(path));
    EXPECT_EQ(0, CPrint_Pdf::WritePhonebook(dir.File("missing/out.pdf"), m_data, error));
    EXPECT_FALSE(error.empty());
}
} // namespace
