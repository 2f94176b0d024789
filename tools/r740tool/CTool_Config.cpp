#include "tools/r740tool/CTool_Config.h"

#include "data/CData_All.h"
#include "data/CData_RecordTable.h"
#include "platform/CPlatform_System.h"
#include "shell/CApp_Headless.h"
#include "shell/CR740CfDoc.h"
#include "support/CUi_Interface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
// The store's line end and section header brackets.
const char s_szLineEnd[] = "\r\n";

// The module keys' kind word: their sections are "KeyE920_" and the number.
const char s_szModulePrefix[] = "KeyE920_";

// Name of the file written by SaveToBytes inside its own temporary directory.
const char s_szScratchName[] = "scratch.cfg";

// The document tells a person in a message box why a file could not be read or written; a script
// gets one line naming the file and the reason instead, so the box is held back meanwhile.
class CTool_HoldMessages
{
public:
    CTool_HoldMessages() : m_previous(CUi_Interface::Get()) { CUi_Interface::Set(nullptr); }
    ~CTool_HoldMessages() { CUi_Interface::Set(&m_previous); }
    CTool_HoldMessages(const CTool_HoldMessages&) = delete;
    CTool_HoldMessages& operator=(const CTool_HoldMessages&) = delete;

private:
    CUi_Interface& m_previous;
};

int Report(const char* pszWhat, const std::string& path, int nError)
{
    std::fprintf(stderr, "r740tool: cannot %s %s: %s\n", pszWhat, path.c_str(),
                 PlatformErrorText(nError ? nError : EIO).c_str());
    return 0;
}
} // namespace

CTool_Config::CTool_Config(CApp_Headless& app) : m_app(app) {}

int CTool_Config::Open(const std::string& path)
{
    CTool_HoldMessages hold;
    if (m_app.Document().OnOpenDocument(path))
        return 1;
    return Report("read", path, m_app.Document().LastError());
}

int CTool_Config::Save(const std::string& path)
{
    if (SaveQuietly(path))
        return 1;
    return Report("write", path, m_app.Document().LastError());
}

int CTool_Config::SaveQuietly(const std::string& path)
{
    CTool_HoldMessages hold;
    return m_app.Document().OnSaveDocument(path);
}

int CTool_Config::New()
{
    return m_app.Document().OnNewDocument();
}

int CTool_Config::SaveToBytes(std::string& bytes)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 0;
    const QString path = dir.filePath(QString::fromLatin1(s_szScratchName));
    if (!SaveQuietly(QDir::toNativeSeparators(path).toLocal8Bit().toStdString()))
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return 0;
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return 1;
}

std::vector<CTool_Record> CTool_Config::Records()
{
    CData_All& doc = m_app.DocData();
    // What the version check does with the telephone's version block.
    m_app.SetVersionText(doc.m_Version.m_strVersion);
    m_app.DerivatToProperties(doc.m_Version.m_nPhoneType);
    doc.Validate();

    std::vector<CTool_Record> records;
    auto build = [&records](CData& block, int nRecord)
    {
        unsigned char record[CData::RECORD_MAX] = {};
        const int n = block.MoveBlock(CData::MB_DATA, record, sizeof record, nRecord);
        if (n <= 0)
            return;
        // A block never reports more than the room it was given; if one did, only that is real.
        const size_t nLength =
            static_cast<size_t>(n) < sizeof record ? static_cast<size_t>(n) : sizeof record;
        records.push_back(
            {block.Name(), nRecord, std::string(reinterpret_cast<const char*>(record), nLength)});
    };

    CData_RecordTable::ForEachRecord(doc, build);
    return records;
}

std::vector<CTool_Key> CTool_Config::ParseKeys(const std::string& bytes)
{
    std::vector<CTool_Key> keys;
    std::string section;
    size_t nPos = 0;
    while (nPos < bytes.size())
    {
        size_t nEnd = bytes.find(s_szLineEnd, nPos);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        const std::string line = bytes.substr(nPos, nEnd - nPos);
        nPos = nEnd + std::strlen(s_szLineEnd);
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']')
        {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t nEqual = line.find('=');
        if (nEqual == std::string::npos)
            keys.push_back({section, line, std::string()});
        else
            keys.push_back({section, line.substr(0, nEqual), line.substr(nEqual + 1)});
    }
    return keys;
}

bool CTool_Config::IsModuleSection(const std::string& section)
{
    return section.compare(0, std::strlen(s_szModulePrefix), s_szModulePrefix) == 0;
}
