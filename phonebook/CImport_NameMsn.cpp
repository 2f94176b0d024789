#include "phonebook/CImport_NameMsn.h"

#include "data/CData_AllDialName.h"
#include "data/CData_CharSet.h"
#include "phonebook/CImport_Entry.h"
#include "phonebook/CImport_Report.h"
#include "phonebook/CImport_Utf8.h"
#include "platform/CPlatform_System.h"
#include "support/Trace.h"

#include <algorithm>

namespace
{
// The imports trace under the names of their dialogs.
const char s_szClassSimple[] = "CDlg_Import_NameMsn";
const char s_szClassExtended[] = "CDlg_Import_NameMsn_Ex";

const char s_szColumnSet[] = "\t";
const char s_szNoTokenSep[] = "";
const char s_szTokenSep[] = " ,";
const char s_szLineEnd[] = "\r\n";

// Index of the number in the fields; the name parts follow it.
constexpr size_t FIELD_NUMBER = 0;
} // namespace

CImport_NameMsnExSettings CImport_NameMsn::Extended(const CImport_NameMsnSettings& settings)
{
    CImport_NameMsnExSettings ex;
    ex.prefix = settings.prefix;
    ex.fileName = settings.fileName;
    ex.number = {settings.nNumberColumn, 0};
    ex.name[0] = {settings.nNameColumn, 0};
    for (int i = 1; i < CImport_NameMsnExSettings::NAME_PARTS; ++i)
        ex.name[i] = {-1, 0};
    ex.nColumnsPerRecord = 0;
    ex.nMaxEntries = settings.nMaxEntries;
    ex.nFirstLine = settings.nFirstLine;
    return ex;
}

CImport_NameMsn::CImport_NameMsn(const CImport_NameMsnSettings& settings)
    : m_settings(Extended(settings)), m_pszClass(s_szClassSimple)
{
    m_pParse = Open(settings.fileName, s_szNoTokenSep);
}

CImport_NameMsn::CImport_NameMsn(const CImport_NameMsnExSettings& settings)
    : m_settings(settings), m_pszClass(s_szClassExtended)
{
    m_pParse = Open(settings.fileName, s_szTokenSep);
}

CImport_NameMsn::CImport_NameMsn(const CImport_NameMsnExSettings& settings, const char* pData, size_t nSize,
                                 bool bExtended)
    : m_settings(settings), m_pszClass(bExtended ? s_szClassExtended : s_szClassSimple)
{
    if (pData)
        m_text.assign(pData, nSize);
    ConvertText();
    m_pParse = OverText(bExtended ? s_szTokenSep : s_szNoTokenSep);
}

std::unique_ptr<CParse> CImport_NameMsn::Open(const std::string& fileName, const char* pszTokenSep)
{
    int nError = 0;
    if (!fileName.empty() && PlatformReadFile(fileName.c_str(), FILE_MAX, 0, m_text, nError))
    {
        ConvertText();
        return OverText(pszTokenSep);
    }
    m_text.clear();
    // The parser opens the file itself: it reports why it cannot, or reads a very large one.
    return std::make_unique<CParse>(fileName.c_str(), CData_CharSet::NameAlphabet().c_str(), s_szColumnSet,
                                    pszTokenSep, s_szLineEnd);
}

std::unique_ptr<CParse> CImport_NameMsn::OverText(const char* pszTokenSep)
{
    return std::make_unique<CParse>(m_text.data(), m_text.size(), CData_CharSet::NameAlphabet().c_str(),
                                    s_szColumnSet, pszTokenSep, s_szLineEnd);
}

void CImport_NameMsn::ConvertText()
{
    std::string_view text = m_text;
    const bool bBom = text.substr(0, CImport_Utf8::BOM.size()) == CImport_Utf8::BOM;
    if (bBom)
        text.remove_prefix(CImport_Utf8::BOM.size());
    // What most programs write today; a file of code page 1252 with letters beyond ASCII is
    // almost never valid UTF-8 as well.
    if ((bBom || !CImport_Utf8::IsAscii(text)) && CImport_Utf8::IsValid(text))
    {
        std::string converted(text.size(), '\0');
        size_t nConverted = 0;
        bool bDropped = false;
        CImport_Utf8::ToCp1252(text, converted.data(), nConverted, bDropped, &m_drops);
        converted.resize(nConverted);
        m_text.swap(converted);
        return;
    }
    if (bBom)
        m_text.erase(0, CImport_Utf8::BOM.size());
}

CImport_NameMsn::~CImport_NameMsn() = default;

void CImport_NameMsn::EndRecord(CData_AllDialName& book, CImport_Report& report)
{
    const std::string_view number = m_fields[FIELD_NUMBER];
    bool bName = false;
    for (int i = 1; i <= CImport_NameMsnExSettings::NAME_PARTS; ++i)
        bName = bName || !m_fields[i].empty();
    // A record without any text is no row of the file (an empty line, a trailing separator); one
    // without a name or a number cannot give an entry, whatever the conversions would make.
    if (!bName || number.empty())
    {
        report.nSkipped += bName || !number.empty() ? 1 : 0;
        return;
    }
    m_name.assign(m_fields[FIELD_NUMBER + 1]);
    for (int i = 2; i <= CImport_NameMsnExSettings::NAME_PARTS; ++i)
    {
        const std::string_view part = m_fields[FIELD_NUMBER + static_cast<size_t>(i)];
        if (!part.empty() && !m_name.empty())
            m_name += ' ';
        m_name.append(part);
    }
    m_number.assign(number);
    // A character the code page lacks that was dropped in or at the edge of a token taken.
    bool bChanged = false;
    for (size_t i = 0; i < sizeof m_fields / sizeof m_fields[0] && !m_drops.empty(); ++i)
    {
        if (m_fields[i].empty())
            continue;
        const auto it = std::lower_bound(m_drops.begin(), m_drops.end(), m_spans[i][0]);
        bChanged = bChanged || (it != m_drops.end() && *it <= m_spans[i][1]);
    }
    switch (CImport_Entry::Add(book, m_name, m_number, m_settings.prefix, m_nEntries, report, bChanged))
    {
    case CImport_Entry::ADDED:
        if (++m_nEntries >= m_settings.nMaxEntries)
            m_bStop = true;
        break;
    case CImport_Entry::FULL:
        m_bStop = true;
        break;
    case CImport_Entry::SKIPPED:
        break;
    }
}

int CImport_NameMsn::Run(CData_AllDialName& book, CImport_Report& report)
{
    TraceLine(m_pszClass, "DoImport()");
    if (!m_pParse->IsOpen())
        return 0;
    const CImport_NameMsnExSettings::CField* const fields[] = {&m_settings.number, &m_settings.name[0],
                                                               &m_settings.name[1], &m_settings.name[2],
                                                               &m_settings.name[3]};
    constexpr size_t FIELDS = sizeof fields / sizeof fields[0];
    // The fields a line can fill (a negative column takes nothing).
    size_t active[FIELDS] = {};
    size_t nActive = 0;
    int positions[FIELDS][2] = {}; // column and token of each active field
    for (size_t i = 0; i < FIELDS; ++i)
        if (fields[i]->nColumn >= 0)
        {
            positions[nActive][0] = fields[i]->nColumn;
            positions[nActive][1] = fields[i]->nToken;
            active[nActive++] = i;
        }
    const CParse& parse = *m_pParse;
    const int nPerRecord = m_settings.nColumnsPerRecord;
    m_nEntries = 0;
    m_bStop = m_settings.nMaxEntries <= 0;
    for (std::string_view& field : m_fields)
        field = std::string_view();
    for (int nLine = 0; !m_bStop; ++nLine)
    {
        const int bMore = m_pParse->NextLine();
        if (nLine >= m_settings.nFirstLine && (bMore || m_pParse->HasTokens()))
        {
            if (nPerRecord <= 0)
            {
                // One record per line: each field is its column's token, or nothing. Most lines
                // of a large file are rows without a number: they are counted from the lengths
                // of the tokens alone, and only a row with both is taken as a record.
                const size_t nFirstName = nActive && active[0] == FIELD_NUMBER ? 1 : 0;
                const bool bNumber = nFirstName && !parse.TokenView(positions[0][0], positions[0][1]).empty();
                bool bName = false;
                for (size_t k = nFirstName; k < nActive && !bName; ++k)
                    bName = !parse.TokenView(positions[k][0], positions[k][1]).empty();
                if (bName && bNumber)
                {
                    for (size_t k = 0; k < nActive; ++k)
                        Take(active[k], positions[k][0], positions[k][1]);
                    EndRecord(book, report);
                }
                else if (bName || bNumber)
                    ++report.nSkipped;
            }
            else
            {
                const int nColumns = m_pParse->ColumnCount();
                for (int nColumn = 0; nColumn < nColumns && !m_bStop; ++nColumn)
                {
                    const int nPosition = nColumn % nPerRecord;
                    if (nPosition == 0)
                        for (std::string_view& field : m_fields)
                            field = std::string_view();
                    for (size_t i = 0; i < FIELDS; ++i)
                        if (fields[i]->nColumn == nPosition)
                            Take(i, nColumn, fields[i]->nToken);
                    if (nPosition == nPerRecord - 1 || nColumn == nColumns - 1)
                        EndRecord(book, report);
                }
            }
        }
        if (!bMore)
            break;
    }
    book.Sort();
    return 1;
}

std::string CImport_NameMsn::Preview(const CImport_NameMsnExSettings& settings, int nEntries)
{
    CImport_NameMsn import(settings);
    if (!import.IsOpen())
        return CImport_Report::UnreadableText(settings.fileName, PlatformSystemMessage(import.Error()));
    CData_AllDialName scratch;
    CImport_Report report;
    import.Run(scratch, report);
    std::string text;
    for (int i = 0; i < scratch.Count() && i < nEntries; ++i)
        text += scratch.Entry(i)->m_strName + "\t" + scratch.Entry(i)->m_strMsnExt + "\n";
    return text + (text.empty() ? "" : "\n") + report.Text();
}
