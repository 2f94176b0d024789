#pragma once

// The two imports of names and numbers from a delimited text file. The simple one takes one name
// column and one number column per line; the extended one composes the name from up to four
// tokens and can read several records from one line. Positions here are 0-based, as the import
// uses them; the dialogs show them 1-based.
//
// The file is read when the import object is made, so that a file that cannot be read is
// found before anything is done to the phonebook; Run then reads it into the phonebook. A file
// in UTF-8 (with a byte order mark, or valid UTF-8 holding other than ASCII) is converted to
// code page 1252 first; an entry whose name or number lost characters the code page lacks counts
// as changed in the report. Any other file is read as code page 1252 bytes.

#include "phonebook/CParse.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CData_AllDialName;
struct CImport_Report;

// The simple dialog's values.
struct CImport_NameMsnSettings
{
    std::string prefix; // put in front of every number
    std::string fileName;
    int nNameColumn = 0;
    int nNumberColumn = 1;
    int nFirstLine = 0;
    int nMaxEntries = 250;
};

// The extended dialog's values. A field whose column is negative (shown as 0) takes nothing.
struct CImport_NameMsnExSettings
{
    struct CField
    {
        int nColumn;
        int nToken;
    };
    static constexpr int NAME_PARTS = 4;

    std::string prefix;
    std::string fileName;
    CField number = {1, 0};
    CField name[NAME_PARTS] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
    int nColumnsPerRecord = 0; // 0: one record per line
    int nMaxEntries = 250;
    int nFirstLine = 0;
};

class CImport_NameMsn
{
public:
    // Ranges of the dialogs' fields.
    static constexpr size_t PREFIX_MAX = 26; // the longest number the telephone stores
    static constexpr int ENTRIES_MAX = 250;  // the phonebook's capacity
    static constexpr int POSITION_MAX = 50;  // columns and tokens, those of the parser
    static constexpr int FIRST_LINE_MAX = 999999;
    // Files up to this size are read whole and looked at for UTF-8; a larger one (no list of
    // names ever is) is read piecewise as code page 1252.
    static constexpr size_t FILE_MAX = 64u * 1024u * 1024u;

    // The simple import: the file parsed with the name alphabet as token set, TAB between
    // columns and no token separators, so a column is one token.
    explicit CImport_NameMsn(const CImport_NameMsnSettings& settings);
    // The extended import: blank and comma separate the tokens of a column as well.
    explicit CImport_NameMsn(const CImport_NameMsnExSettings& settings);
    // Over bytes in memory (the extended import when bExtended), for the fuzzer and the bench.
    CImport_NameMsn(const CImport_NameMsnExSettings& settings, const char* pData, size_t nSize,
                    bool bExtended);
    ~CImport_NameMsn();
    // The parser reads the import's own copy of the text.
    CImport_NameMsn(const CImport_NameMsn&) = delete;
    CImport_NameMsn& operator=(const CImport_NameMsn&) = delete;

    bool IsOpen() const { return m_pParse->IsOpen(); }
    int Error() const { return m_pParse->Error(); }

    // Appends the entries of the file to the phonebook (it is not emptied here), from the first
    // line on, until the maximum number of entries or the end of the file, and sorts the
    // phonebook. 1 when the file could be read.
    int Run(CData_AllDialName& book, CImport_Report& report);

    // What the import would make of the file, for a look before the phonebook is replaced: the
    // first nEntries entries of an empty phonebook ("name TAB number" lines) and the report; the
    // message of an unreadable file.
    static std::string Preview(const CImport_NameMsnExSettings& settings, int nEntries);

    // The simple import's values as the extended import takes them.
    static CImport_NameMsnExSettings Extended(const CImport_NameMsnSettings& settings);

private:
    // The parser over the file's text, or over the file itself when it cannot be read whole.
    std::unique_ptr<CParse> Open(const std::string& fileName, const char* pszTokenSep);
    std::unique_ptr<CParse> OverText(const char* pszTokenSep);
    // The bytes read as the parser takes them: UTF-8 converted to code page 1252.
    void ConvertText();
    // The field takes the token of the current line (nothing when the line has none).
    void Take(size_t nField, int nColumn, int nToken)
    {
        m_fields[nField] = m_pParse->TokenView(nColumn, nToken);
        if (!m_drops.empty())
            m_pParse->TokenSpan(nColumn, nToken, m_spans[nField][0], m_spans[nField][1]);
    }
    void EndRecord(CData_AllDialName& book, CImport_Report& report);

    CImport_NameMsnExSettings m_settings;
    const char* m_pszClass;
    std::string m_text;          // the file's text when it was read whole
    std::vector<size_t> m_drops; // where the conversion from UTF-8 dropped characters, ascending
    std::unique_ptr<CParse> m_pParse;
    // The number and the name parts of the record being read: tokens of the parser's current line,
    // and where they lie in the text.
    std::string_view m_fields[1 + CImport_NameMsnExSettings::NAME_PARTS];
    size_t m_spans[1 + CImport_NameMsnExSettings::NAME_PARTS][2] = {};
    std::string m_name;
    std::string m_number;
    bool m_bStop = false;
    int m_nEntries = 0;
};
