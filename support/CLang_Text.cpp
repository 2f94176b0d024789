#include "support/CLang_Text.h"

#include "platform/CPlatform_Resource.h"
#include "platform/CPlatform_System.h"
#include "support/CLang_Symbols.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cstdio>
#include <string_view>

namespace
{
const char s_szSignatureKey[] = "__md5Signature";
const char s_szIdcKey[] = "idc";
// Heads of the keys and the maps they fill.
const char s_szHeadString[] = "__resText_STRING";
const char s_szHeadCaption[] = "__resText_DLG_CAPTION";
const char s_szHeadPopup[] = "__resText_POPUP";
const char s_szHeadMenuItem[] = "__resText_MENUITEM";
const char s_szHeadDialog[] = "IDD"; // a dialog symbol: the key names one of its controls

// Appended to the hashed lines so that a signature cannot be made without knowing it.
const char s_szSalt[] = "5F0C8A3E-A27B-4c1e-9D5F-E08B4C73";
// Source name of the assertion reports about language file lines.
const char s_szAssertSource[] = "string_symbols_allg";

const char s_szQuestion[] = "The texts assigned to the user interface differ from the default texts.\n"
                            "The original text file must be used to ensure\n"
                            "proper designation of the control elements.\n"
                            "Continue anyway?";

CLang_Text* s_pCurrent = nullptr;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Calls f(line, lineEnd) for each line of the contents: CR LF, LF and CR alone each end a line
// (every line end of code page 1252 text), and a last line without an end counts.
template <class F> void ForEachLine(std::string_view bytes, F f)
{
    const char* const pBegin = bytes.data();
    const char* const pEnd = pBegin + bytes.size();
    const char* p = pBegin;
    while (p < pEnd)
    {
        const char* q = p;
        while (q < pEnd && *q != '\r' && *q != '\n')
            ++q;
        const char* pNext = q;
        if (pNext < pEnd)
            pNext += (*q == '\r' && q + 1 < pEnd && q[1] == '\n') ? 2 : 1;
        f(std::string_view(p, static_cast<size_t>(q - p)),
          std::string_view(q, static_cast<size_t>(pNext - q)));
        p = pNext;
    }
}

struct CFields
{
    std::string key;
    std::string text;
    bool bComplete = true; // a blank or tab followed the key and the second word
};

CFields Split(std::string_view line)
{
    CFields fields;
    size_t n = 0;
    while (n < line.size() && !IsBlank(line[n]))
        ++n;
    fields.key.assign(line.data(), n);
    if (n == line.size())
    {
        fields.bComplete = false;
        return fields;
    }
    while (n < line.size() && IsBlank(line[n]))
        ++n;
    while (n < line.size() && !IsBlank(line[n])) // the second word, not used
        ++n;
    if (n == line.size())
    {
        fields.bComplete = false;
        return fields;
    }
    size_t nEnd = line.size();
    while (n < nEnd && IsBlank(line[n]))
        ++n;
    while (nEnd > n && IsBlank(line[nEnd - 1]))
        --nEnd;
    // "\n" and "\r" stand for the control characters; every other backslash stays.
    const std::string_view raw = line.substr(n, nEnd - n);
    fields.text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i)
    {
        if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'n' || raw[i + 1] == 'r'))
        {
            fields.text += raw[i + 1] == 'n' ? '\n' : '\r';
            ++i;
        }
        else
            fields.text += raw[i];
    }
    return fields;
}

std::string_view KeyOf(std::string_view line)
{
    size_t n = 0;
    while (n < line.size() && !IsBlank(line[n]))
        ++n;
    return line.substr(0, n);
}

bool StartsWith(const std::string& text, const char* pszHead)
{
    return text.compare(0, std::char_traits<char>::length(pszHead), pszHead) == 0;
}
} // namespace

CLang_Text::CLang_Text()
{
    // The number-to-name map is built from the symbol table once for the whole program.
    CLang_Symbols::NumberToName();
}

CLang_Text::CLang_Text(const std::string& path) : CLang_Text()
{
    ReadFile(path);
}

void CLang_Text::Clear()
{
    m_strings.clear();
    m_captions.clear();
    m_popups.clear();
    m_items.clear();
    m_controls.clear();
    m_bSignatureOk = true;
    m_storedSignature.clear();
    m_computedSignature.clear();
    m_nAsserts = 0;
}

void CLang_Text::Assert(int nLine)
{
    ++m_nAsserts;
    TraceAssert(s_szAssertSource, nLine);
}

int CLang_Text::ReadFile(const std::string& path)
{
    Clear();
    TraceLine("CLang_Text", "ReadFile() ", path.c_str());
    int nError = 0;
    std::FILE* pFile = PlatformOpenRead(path.c_str(), nError);
    if (!pFile)
        return 0;
    std::string bytes;
    const int nRead = PlatformReadWhole(pFile, LANG_FILE_MAX, 0, bytes, nError);
    std::fclose(pFile);
    if (!nRead)
    {
        // Not the file that was shipped: no texts, and the user is asked at start.
        TraceLine("CLang_Text", "ReadFile() File too large or unreadable!");
        Assert(0);
        m_bSignatureOk = false;
        return 0;
    }
    ReadBuffer(bytes.data(), bytes.size());
    return 1;
}

void CLang_Text::ReadBuffer(const char* pData, size_t nSize)
{
    Clear();
    QCryptographicHash md5(QCryptographicHash::Md5);
    const std::string_view bytes = pData && nSize ? std::string_view(pData, nSize) : std::string_view();
    int nLine = 0;
    ForEachLine(bytes, [&](std::string_view line, std::string_view) { ReadLine(line, ++nLine, md5); });
    md5.addData(QByteArrayView(s_szSalt, static_cast<qsizetype>(sizeof s_szSalt - 1)));
    m_computedSignature = md5.result().toHex().toUpper().toStdString();
    m_bSignatureOk = m_computedSignature == m_storedSignature;
}

void CLang_Text::ReadLine(std::string_view line, int nLine, QCryptographicHash& md5)
{
    const CFields fields = Split(line);
    if (!fields.bComplete)
        Assert(nLine);
    if (fields.key == s_szSignatureKey)
    {
        m_storedSignature = fields.text;
        return;
    }
    md5.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    md5.addData(QByteArrayView("\r\n", 2));
    if (fields.key == s_szIdcKey)
        return;
    if (line.size() > LANG_LINE_MAX)
    {
        Assert(nLine);
        return;
    }
    const size_t nColon = fields.key.find(':');
    if (nColon == std::string::npos)
    {
        Assert(nLine);
        return;
    }
    const std::string head = fields.key.substr(0, nColon);
    const std::string symbol = fields.key.substr(nColon + 1);
    if (head == s_szHeadString)
        m_strings[symbol] = fields.text;
    else if (head == s_szHeadCaption)
        m_captions[symbol] = fields.text;
    else if (head == s_szHeadPopup)
        m_popups[symbol] = fields.text;
    else if (head == s_szHeadMenuItem)
        m_items[symbol] = fields.text;
    else if (StartsWith(head, s_szHeadDialog))
        m_controls[fields.key] = fields.text;
    else
        Assert(nLine);
}

std::string CLang_Text::Find(const std::map<std::string, std::string>& map, const std::string& key)
{
    if (key.empty())
        return std::string();
    const auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
}

int CLang_Text::GetString(unsigned nNumber, std::string& text) const
{
    text = Find(m_strings, CLang_Symbols::NameOf(LANG_KIND_STRING, nNumber));
    if (text.empty())
    {
        if (const CPlatform_Resource* pResource = CPlatform_Resource::Current())
            pResource->GetString(nNumber, text);
    }
    return text.empty() ? 0 : 1;
}

std::string CLang_Text::String(unsigned nNumber) const
{
    std::string text;
    GetString(nNumber, text);
    return text;
}

std::string CLang_Text::GetDlgCaption(unsigned nTemplate) const
{
    return Find(m_captions, CLang_Symbols::NameOf(LANG_KIND_DIALOG, nTemplate));
}

std::string CLang_Text::GetPopupText(unsigned nPopup) const
{
    return Find(m_popups, CLang_Symbols::NameOf(LANG_KIND_POPUP, nPopup));
}

std::string CLang_Text::GetMenuItemText(unsigned nItem) const
{
    return Find(m_items, CLang_Symbols::NameOf(LANG_KIND_MENUITEM, nItem));
}

std::string CLang_Text::GetControlText(unsigned nTemplate, unsigned nControl) const
{
    if (m_controls.empty())
        return std::string();
    const std::string& dialog = CLang_Symbols::NameOf(LANG_KIND_DIALOG, nTemplate);
    const std::string& control = CLang_Symbols::NameOf(static_cast<int>(nTemplate), nControl);
    if (dialog.empty() || control.empty())
        return std::string();
    return Find(m_controls, dialog + ":" + control);
}

std::string CLang_Text::MenuTabRule(const std::string& text)
{
    std::string out = text;
    const size_t nBackslash = out.find('\\');
    if (nBackslash != std::string::npos && nBackslash + 1 < out.size() && out[nBackslash + 1] == 't')
    {
        out[nBackslash] = ' ';
        out[nBackslash + 1] = '\t';
    }
    return out;
}

std::string CLang_Text::MenuItemDisplayText(unsigned nCommand, const std::string& current) const
{
    const std::string text = GetMenuItemText(CLang_Symbols::MenuItemNumber(nCommand));
    if (text.empty() || current.empty())
        return current;
    return MenuTabRule(text);
}

const char* CLang_Text::SignatureQuestion()
{
    return s_szQuestion;
}

int CLang_Text::CheckSignatureAtStart() const
{
    if (m_bSignatureOk)
        return 1;
    TraceLine("CLang_Text", "CheckSignatureAtStart() Signature wrong!");
    const int nAnswer = CUi_Interface::Get().MessageBox(
        s_szQuestion, std::string(), CUi_Interface::ICON_QUESTION, CUi_Interface::BUTTONS_YES_NO);
    return nAnswer == CUi_Interface::ANSWER_YES ? 1 : 0;
}

std::string CLang_Text::ComputeSignature(const std::string& bytes)
{
    CLang_Text text;
    text.ReadBuffer(bytes.data(), bytes.size());
    return text.m_computedSignature;
}

std::string CLang_Text::SignContents(const std::string& bytes)
{
    // Every line but the signature lines, each with its own end, in the order they stand.
    std::string rest;
    rest.reserve(bytes.size());
    size_t nInsertAt = std::string::npos;
    std::string_view eol;
    ForEachLine(bytes,
                [&](std::string_view line, std::string_view lineEnd)
                {
                    if (eol.empty() && !lineEnd.empty())
                        eol = lineEnd;
                    if (KeyOf(line) == s_szSignatureKey)
                    {
                        if (nInsertAt == std::string::npos)
                            nInsertAt = rest.size();
                        return;
                    }
                    // An empty LF line after a lone CR that is now the end of the text so far
                    // (a signature line stood between them) would join it into one CR LF end.
                    if (line.empty() && !lineEnd.empty() && lineEnd[0] == '\n' && !rest.empty() &&
                        rest.back() == '\r')
                        rest += "\r\n";
                    else
                    {
                        rest += line;
                        rest += lineEnd;
                    }
                });
    if (eol.empty())
        eol = "\r\n";
    if (nInsertAt == std::string::npos)
        nInsertAt = 0;
    // A last line without its end would otherwise run into the signature line.
    if (nInsertAt == rest.size() && !rest.empty() && rest.back() != '\n' && rest.back() != '\r')
        rest += eol;
    // A lone CR before a line that starts with LF (an empty LF line) would read as one CR LF end
    // and swallow that line.
    if (eol == "\r" && nInsertAt < rest.size() && rest[nInsertAt] == '\n')
        eol = "\r\n";
    // The signature is taken from the lines of the file as written, as the check reads them: the
    // check leaves the signature line out, so its value does not matter to the sum.
    const std::string head = std::string(s_szSignatureKey) + "\t0\t";
    const std::string placeholder(32, '0');
    rest.insert(nInsertAt, head + placeholder + std::string(eol));
    const std::string signature = ComputeSignature(rest);
    rest.replace(nInsertAt + head.size(), placeholder.size(), signature);
    return rest;
}

CLang_Text* CLang_Text::Get()
{
    return s_pCurrent;
}

void CLang_Text::Set(CLang_Text* pText)
{
    s_pCurrent = pText;
}
