#include "shell/CApp_CommandLine.h"

#include "platform/CPlatform_Path.h"

#include <climits>

namespace
{
bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    if (end.empty() || text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i)
    {
        char a = text[text.size() - end.size() + i];
        char b = end[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

std::vector<std::string> SplitAtSlash(const std::string& text)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (const char ch : text)
    {
        if (ch == '/')
        {
            if (!piece.empty())
                pieces.push_back(piece);
            piece.clear();
        }
        else
            piece += ch;
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

std::string Piece(const std::vector<std::string>& pieces, size_t i)
{
    return i < pieces.size() ? pieces[i] : std::string();
}

std::string BlanksForPilcrows(std::string text)
{
    for (char& ch : text)
    {
        if (static_cast<unsigned char>(ch) == CApp_CommandLine::PILCROW)
            ch = ' ';
    }
    return text;
}
} // namespace

void CApp_CommandLine::Parse(const std::vector<std::string>& args, const std::string& configExt)
{
    m_switchArgs.clear();
    m_argumentText.clear();
    m_documentPath.clear();
    for (const std::string& arg : args)
    {
        if (!arg.empty() && (EndsWithNoCase(arg, configExt) || CPlatform_Path::FileExists(arg)))
        {
            if (m_documentPath.empty())
                m_documentPath = arg;
            continue;
        }
        if (!m_argumentText.empty() || !m_switchArgs.empty())
            m_argumentText += ' ';
        m_argumentText += arg;
        m_switchArgs.push_back(arg);
    }
}

void CApp_CommandLine::EvaluateSwitches()
{
    m_bSimulation = false;
    m_bFirmwareUpdate = false;
    for (const std::string& arg : m_switchArgs)
    {
        m_bSimulation = m_bSimulation || arg.find("/SIMU") != std::string::npos;
        m_bFirmwareUpdate = m_bFirmwareUpdate || arg.find("/DOWNLOAD") != std::string::npos;
    }
    m_bPabxLink = m_argumentText.find("/SYSTEL") != std::string::npos;
    m_bPabxLine = m_argumentText.find("/KNT") != std::string::npos;
}

long long CApp_CommandLine::ToInt64(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        bNegative = text[i++] == '-';
    unsigned long long n = 0;
    const unsigned long long nLimit = bNegative ? static_cast<unsigned long long>(LLONG_MAX) + 1 : LLONG_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        const unsigned nDigit = static_cast<unsigned>(text[i] - '0');
        n = n > (nLimit - nDigit) / 10 ? nLimit : n * 10 + nDigit;
    }
    if (bNegative)
        return n > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MIN : -static_cast<long long>(n);
    return static_cast<long long>(n);
}

void CApp_CommandLine::EvaluatePabxParameters(bool bUserMode)
{
    const std::vector<std::string> pieces = SplitAtSlash(m_argumentText);
    size_t nFirst = 0;
    if (bUserMode)
    {
        if (!m_argumentText.empty())
            m_bPabxLine = true;
    }
    else if (m_bPabxLine)
        nFirst = 1; // the switch word itself
    else
        return;
    m_szPabxParamA = BlanksForPilcrows(Piece(pieces, nFirst));
    m_szPabxParamB = BlanksForPilcrows(Piece(pieces, nFirst + 1));
    const std::string n = Piece(pieces, nFirst + 2);
    const bool bPermitted = !n.empty() && (ToInt64(n) & PERMISSION_BIT) != 0;
    m_bMayRead = bPermitted;
    m_bMayUpdateFirmware = bPermitted;
}
