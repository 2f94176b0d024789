#include "platform/CPlatform_Resource.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QString>

#include <cstdlib>

namespace
{
// Where a registered bundle appears in the resource file system.
const char s_szRoot[] = "/Res_Pb";
const char s_szStrings[] = ":/Res_Pb/strings.txt";
const char s_szBrand[] = ":/Res_Pb/brand.txt";
const char s_szVersion[] = ":/Res_Pb/version.txt";

// The bundle's file name, kept from the library name of the original resource module.
const char s_szBundle[] = "Res_Pb.rcc";

// String numbers of the table are 16-bit resource identifiers.
constexpr unsigned RESOURCE_ID_MAX = 65535;

CPlatform_Resource* s_pCurrent = nullptr;

bool ReadResource(const char* pszPath, std::string& bytes)
{
    QFile file(QString::fromLatin1(pszPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Unescape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\\' && i + 1 < text.size())
        {
            const char c = text[i + 1];
            const char r = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '\\' ? '\\' : 0;
            if (r)
            {
                out += r;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// A Qt binary resource file starts with "qres", a big-endian version (1 to 3) and the offsets of
// its tree, data and names, all inside the file. Checked before the file is handed to Qt, which
// refuses such files too but keeps a little memory each time it does.
bool IsBundleFile(const QString& path)
{
    constexpr qint64 RCC_HEADER_SIZE = 20;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < RCC_HEADER_SIZE)
        return false;
    const QByteArray header = file.read(RCC_HEADER_SIZE);
    if (header.size() != RCC_HEADER_SIZE || !header.startsWith("qres"))
        return false;
    auto word = [&header](int nAt)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(header.constData()) + nAt;
        return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
    };
    const quint32 nVersion = word(4);
    if (nVersion < 1 || nVersion > 3)
        return false;
    for (int nAt = 8; nAt < RCC_HEADER_SIZE; nAt += 4)
        if (word(nAt) >= static_cast<quint64>(file.size()))
            return false;
    return true;
}

std::vector<std::string> SearchDirectories(const std::string& exeDir)
{
    std::vector<std::string> dirs;
    if (!exeDir.empty())
        dirs.push_back(exeDir);
    if (const char* pszPath = std::getenv("R740_RESOURCE_PATH"))
    {
        const QStringList parts =
            QString::fromLocal8Bit(pszPath).split(QDir::listSeparator(), Qt::SkipEmptyParts);
        for (const QString& part : parts)
            dirs.push_back(part.toLocal8Bit().toStdString());
    }
    return dirs;
}
} // namespace

CPlatform_Resource::CPlatform_Resource() = default;

CPlatform_Resource::~CPlatform_Resource()
{
    Unload();
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

int CPlatform_Resource::ParseTable(const std::string& bytes, std::map<std::string, std::string>& table)
{
    int nBad = 0;
    size_t nPos = 0;
    while (nPos < bytes.size())
    {
        size_t nEnd = bytes.find('\n', nPos);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        std::string line = bytes.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        size_t nKeyEnd = 0;
        while (nKeyEnd < line.size() && !IsBlank(line[nKeyEnd]))
            ++nKeyEnd;
        if (nKeyEnd == 0)
        {
            ++nBad;
            continue;
        }
        size_t nText = nKeyEnd;
        while (nText < line.size() && IsBlank(line[nText]))
            ++nText;
        size_t nTextEnd = line.size();
        while (nTextEnd > nText && IsBlank(line[nTextEnd - 1]))
            --nTextEnd;
        table[line.substr(0, nKeyEnd)] = Unescape(line.substr(nText, nTextEnd - nText));
    }
    return nBad;
}

int CPlatform_Resource::Take(const std::string& strings, const std::string& brand, const std::string& version,
                             bool bVersion)
{
    std::map<std::string, std::string> table;
    int nBad = ParseTable(strings, table);
    nBad += ParseTable(brand, table); // the brand's entries replace the common defaults
    m_strings.clear();
    for (const auto& entry : table)
    {
        char* pEnd = nullptr;
        const unsigned long n = std::strtoul(entry.first.c_str(), &pEnd, 10);
        if (*pEnd != 0 || entry.first[0] < '0' || entry.first[0] > '9' || n > RESOURCE_ID_MAX)
        {
            ++nBad;
            continue;
        }
        m_strings[static_cast<unsigned>(n)] = entry.second;
    }
    m_version.clear();
    m_bVersion = bVersion;
    if (bVersion)
        nBad += ParseTable(version, m_version);
    m_nBadLines = nBad;
    m_bLoaded = true;
    return 1;
}

int CPlatform_Resource::LoadFile(const std::string& path)
{
    Unload();
    const QString file = QString::fromLocal8Bit(path.c_str());
    if (!QFileInfo(file).isFile() || !IsBundleFile(file) ||
        !QResource::registerResource(file, QString::fromLatin1(s_szRoot)))
        return 0;
    m_bRegistered = true;
    m_path = path;
    std::string strings, brand, version;
    if (!ReadResource(s_szStrings, strings))
    {
        Unload();
        return 0;
    }
    ReadResource(s_szBrand, brand);
    const bool bVersion = ReadResource(s_szVersion, version);
    return Take(strings, brand, version, bVersion);
}

int CPlatform_Resource::LoadData(const std::string& strings, const std::string& version)
{
    Unload();
    return Take(strings, std::string(), version, !version.empty());
}

void CPlatform_Resource::Unload()
{
    if (m_bRegistered)
        QResource::unregisterResource(QString::fromLocal8Bit(m_path.c_str()), QString::fromLatin1(s_szRoot));
    m_bRegistered = false;
    m_bLoaded = false;
    m_bVersion = false;
    m_nBadLines = 0;
    m_path.clear();
    m_strings.clear();
    m_version.clear();
}

int CPlatform_Resource::GetString(unsigned nNumber, std::string& text) const
{
    const auto it = m_strings.find(nNumber);
    if (it == m_strings.end())
        return 0;
    text = it->second;
    return 1;
}

std::string CPlatform_Resource::String(unsigned nNumber) const
{
    std::string text;
    GetString(nNumber, text);
    return text;
}

std::string CPlatform_Resource::VersionString(const std::string& name) const
{
    if (!m_bVersion)
        return std::string();
    const auto it = m_version.find(name);
    return it == m_version.end() ? std::string("-") : it->second;
}

std::string CPlatform_Resource::PicturePath(unsigned nNumber) const
{
    if (!m_bRegistered)
        return std::string();
    for (const char* pszExt : {".png", ".bmp", ".svg"})
    {
        const std::string path = std::string(":/Res_Pb/pictures/") + std::to_string(nNumber) + pszExt;
        if (QFile::exists(QString::fromLatin1(path.c_str())))
            return path;
    }
    return std::string();
}

CPlatform_Resource* CPlatform_Resource::Current()
{
    return s_pCurrent;
}

void CPlatform_Resource::SetCurrent(CPlatform_Resource* pResource)
{
    s_pCurrent = pResource;
}

std::string CPlatform_Resource::FindBundle(const std::string& brand, const std::string& exeDir)
{
    if (const char* pszFile = std::getenv("R740_RESOURCE"))
        return QFileInfo(QString::fromLocal8Bit(pszFile)).isFile() ? std::string(pszFile) : std::string();
    const QString relative = brand.empty()
                                 ? QString::fromLatin1(s_szBundle)
                                 : QStringLiteral("resources/") + QString::fromLocal8Bit(brand.c_str()) +
                                       QLatin1Char('/') + QString::fromLatin1(s_szBundle);
    for (const std::string& dir : SearchDirectories(exeDir))
    {
        const QString candidate = QDir(QString::fromLocal8Bit(dir.c_str())).filePath(relative);
        if (QFileInfo(candidate).isFile())
            return QDir::toNativeSeparators(candidate).toLocal8Bit().toStdString();
    }
    return std::string();
}

int CPlatform_Resource::LoadForStartup(const std::string& brand, const std::string& exeDir)
{
    // A brand name is a file name below resources/, never a path of its own.
    const bool bBrandOk = brand.find_first_of("/\\:") == std::string::npos && brand != "." && brand != "..";
    const std::string path = bBrandOk ? FindBundle(brand, exeDir) : std::string();
    if (path.empty() || !LoadFile(path))
        return 0;
    SetCurrent(this);
    return 1;
}
