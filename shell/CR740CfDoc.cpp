#include "shell/CR740CfDoc.h"

#include "data/CData_All.h"
#include "data/CData_FileExRam.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_System.h"
#include "shell/CApp_Interface.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"

#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <memory>

namespace
{
const char s_szClass[] = "Doc";

// Interface texts: the document strings of the configurator and of the phonebook program (the
// second line is a new document's title), the file filter and the default extension.
constexpr unsigned IDR_MAINFRAME = 110;
constexpr unsigned IDS_STR_DOC_DIALNAME = 111;
constexpr unsigned IDS_FILE_FILTER = 195;
constexpr unsigned IDS_FILE_EXTENSION = 196;

// The VORTANE configurator names its files after the phone type.
const char s_szVortane[] = "VORTANE";
const char s_szExtensionRV740[] = ".721";
const char s_szExtensionRV920[] = ".722";

// Characters a file name cannot hold.
const char s_szNameUnsafe[] = "\\/:*?\"<>|";

// The framework's own messages.
const char s_szAskSave[] = "Save changes to %s?";
const char s_szOpenFailed[] = "The file could not be opened:\n%s\n\n%s";
const char s_szSaveFailed[] =
    "The configuration could not be saved to\n%s\n\n%s\n\nThe file on disk is unchanged.";

// The message with each "%s" replaced by the next of the texts given.
std::string Format(const char* pszFormat, std::initializer_list<std::string> texts)
{
    std::string text;
    auto next = texts.begin();
    for (const char* p = pszFormat; *p; ++p)
    {
        if (p[0] == '%' && p[1] == 's')
        {
            if (next != texts.end())
                text += *next++;
            ++p;
        }
        else
            text += *p;
    }
    return text;
}

// The reason of a failed file operation in the system's words.
std::string Reason(int nError)
{
    if (nError == 0)
        nError = EIO;
    std::string text = PlatformSystemMessage(nError);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.empty() ? "Error " + std::to_string(nError) : text;
}
} // namespace

CR740CfDoc::CR740CfDoc(CApp_Interface& app) : m_app(app) {}

std::string CR740CfDoc::FileNameOf(const std::string& path)
{
    const size_t n = path.find_last_of("/\\");
    return n == std::string::npos ? path : path.substr(n + 1);
}

void CR740CfDoc::SetPathName(const std::string& path, bool bAddToRecent)
{
    m_pathName = path;
    m_title = FileNameOf(path);
    if (bAddToRecent)
        m_app.AddToRecentFileList(path);
}

int CR740CfDoc::OnNewDocument()
{
    TraceLine(s_szClass, "OnNewDocument()");
    m_pathName.clear();

    // A fresh container takes the brand's defaults; its phone type is the current setting.
    CData_All fresh;
    int nPhoneType = 0;
    if (StrToPhoneType(nPhoneType, m_app.PhoneSetting()))
        fresh.m_Version.m_nPhoneType = nPhoneType;
    CData_All& doc = m_app.DocData();
    doc = fresh;
    doc.m_Cfg.SetQMailbox(&doc.m_DialName);
    doc.m_Cfg.SetKeyDefaults(&doc.m_DialName);
    doc.m_Cfg.SetKeyDefaultsV4();
    m_app.SavedData() = doc;

    m_app.DerivatLoad();
    m_app.DerivatToProperties(doc.m_Version.m_nPhoneType);

    m_app.SetPhoneImageValid(false);
    m_bSavedToChosenFile = false;
    m_bModified = false;

    // The second line of the document string is the title of a new document.
    m_title = DocStringLine(1);
    return 1;
}

std::string CR740CfDoc::DocString()
{
    if (!CData_Properties::Current().m_bAppCfg)
    {
        const std::string dialName = CData_UiText(IDS_STR_DOC_DIALNAME);
        if (!dialName.empty())
            return dialName;
    }
    return CData_UiText(IDR_MAINFRAME);
}

std::string CR740CfDoc::DocStringLine(int nLine)
{
    const std::string docString = DocString();
    size_t nStart = 0;
    for (int n = 0; n < nLine; ++n)
    {
        nStart = docString.find('\n', nStart);
        if (nStart == std::string::npos)
            return std::string();
        ++nStart;
    }
    const size_t nEnd = docString.find('\n', nStart);
    return docString.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
}

std::string CR740CfDoc::FileFilter()
{
    std::string filter = CData_UiText(IDS_FILE_FILTER);
    // One filter text serves both programs; the phonebook program names its own files, with the
    // name its document string gives them (the fourth line), and keeps the text's patterns.
    if (!CData_Properties::Current().m_bAppCfg)
    {
        const std::string name = DocStringLine(3);
        const size_t nBar = filter.find('|');
        if (!name.empty() && nBar != std::string::npos)
            filter.replace(0, nBar, name);
    }
    return filter;
}

int CR740CfDoc::OnOpenDocument(const std::string& path)
{
    TraceLine(s_szClass, "OnOpenDocument(", path.c_str(), ")");
    CData_FileExRam& file = CData::File();
    CData_All& doc = m_app.DocData();
    // The store reads the whole file when it opens it, before any block is touched: a file that
    // cannot be read leaves DocData as it was. The read puts the properties of the file's phone
    // type in force for its sections; the view follows once, below.
    if (!file.SetFileName(path.c_str()) || !doc.MoveFile(0, 0))
    {
        const int nError = file.LastError() ? file.LastError() : ENAMETOOLONG;
        m_nLastError = nError;
        CUi_Interface::Get().MessageBox(Format(s_szOpenFailed, {path, Reason(nError)}), std::string(),
                                        CUi_Interface::ICON_WARNING, CUi_Interface::BUTTONS_OK);
        return 0;
    }
    m_app.SetPhoneImageValid(false);

    m_app.DerivatLoad();
    m_app.DerivatToProperties(doc.m_Version.m_nPhoneType);
    // The file's version lasts until the next new or opened document.
    m_app.SetVersionText(doc.m_Version.m_strVersion);
    doc.Validate();
    m_app.SavedData() = doc;
    m_bModified = false;
    m_app.MoveDataDocToView();
    return 1;
}

int CR740CfDoc::OnSaveDocument(const std::string& path)
{
    TraceLine(s_szClass, "OnSaveDocument(", path.c_str(), ")");
    m_app.MoveDataViewToDoc();
    CData_FileExRam& file = CData::File();
    CData_All& doc = m_app.DocData();
    // The store writes beside the target and replaces it only when everything was written.
    if (!file.SetFileName(path.c_str()) || !doc.MoveFile(1, 0))
    {
        const int nError = file.LastError() ? file.LastError() : ENAMETOOLONG;
        m_nLastError = nError;
        TraceLine(s_szClass, "OnSaveDocument() fails!");
        CUi_Interface::Get().MessageBox(Format(s_szSaveFailed, {path, Reason(nError)}), std::string(),
                                        CUi_Interface::ICON_STOP, CUi_Interface::BUTTONS_OK);
        return 0;
    }
    m_app.SavedData() = doc;
    m_bModified = false;
    return 1;
}

int CR740CfDoc::SaveCopy(const CData_All& data, const std::string& path)
{
    TraceLine(s_szClass, "SaveCopy(", path.c_str(), ")");
    CData_FileExRam& file = CData::File();
    auto pCopy = std::make_unique<CData_All>(data);
    if (!file.SetFileName(path.c_str()) || !pCopy->MoveFile(1, 0))
    {
        m_nLastError = file.LastError() ? file.LastError() : ENAMETOOLONG;
        TraceLine(s_szClass, "SaveCopy() fails!");
        return 0;
    }
    return 1;
}

std::string CR740CfDoc::LastErrorText() const
{
    return Reason(m_nLastError);
}

int CR740CfDoc::SaveModified()
{
    TraceLine(s_szClass, "SaveModified()");
    m_app.MoveDataViewToDoc();
    m_bModified = m_app.DocData() != m_app.SavedData();
    if (!m_bModified)
        return 1;
    const int nAnswer =
        CUi_Interface::Get().MessageBox(Format(s_szAskSave, {m_title}), std::string(),
                                        CUi_Interface::ICON_QUESTION, CUi_Interface::BUTTONS_YES_NO_CANCEL);
    if (nAnswer == CUi_Interface::ANSWER_NO)
        return 1;
    if (nAnswer == CUi_Interface::ANSWER_YES)
        return OnFileSave();
    return 0;
}

int CR740CfDoc::OnFileNew()
{
    if (!SaveModified())
        return 0;
    if (!OnNewDocument())
        return 0;
    m_app.InitialUpdateFrame();
    return 1;
}

int CR740CfDoc::OpenDocumentFile(const std::string& path)
{
    if (!SaveModified())
        return 0;
    if (!OnOpenDocument(path))
        return 0;
    SetPathName(path);
    m_app.InitialUpdateFrame();
    return 1;
}

int CR740CfDoc::OnFileOpen()
{
    std::string path;
    if (!CUi_Interface::Get().GetOpenFileName(FileFilter(), m_app.LastFilePath(), path))
        return 0;
    const int nResult = OnOpenDocument(path);
    if (nResult)
        m_title = FileNameOf(path);
    m_app.SetLastFilePath(path);
    if (nResult)
        m_app.InitialUpdateFrame();
    return nResult;
}

std::string CR740CfDoc::DefaultExtension() const
{
    const CData_Properties& props = CData_Properties::Current();
    if (props.m_bAppCfg && props.m_szDerivat == s_szVortane)
    {
        const int nPhoneType = m_app.DocData().m_Version.m_nPhoneType;
        if (nPhoneType == PHONETYPE_RV740)
            return s_szExtensionRV740;
        if (nPhoneType == PHONETYPE_RV920)
            return s_szExtensionRV920;
        return std::string();
    }
    return CData_UiText(IDS_FILE_EXTENSION);
}

std::string CR740CfDoc::CleanProposedName(const std::string& name, const std::string& extension)
{
    std::string clean = name;
    const size_t nDot = clean.rfind('.');
    if (nDot != std::string::npos)
        clean.erase(nDot);
    for (char& ch : clean)
    {
        if (std::strchr(s_szNameUnsafe, ch) && ch != '\0')
            ch = '_';
    }
    return clean + extension;
}

int CR740CfDoc::OnFileSave()
{
    if (m_bSavedToChosenFile)
        return OnSaveDocument(m_app.LastFilePath());
    return OnFileSaveAs();
}

int CR740CfDoc::OnFileSaveAs()
{
    const std::string extension = DefaultExtension();
    std::string proposed = m_title;
    if (CData_Properties::Current().m_bAppCfg)
    {
        m_app.MoveDataViewToDoc();
        const std::string& unitName = m_app.DocData().m_Cfg.m_Basic.m_strUnitName;
        if (!unitName.empty())
            proposed = unitName;
    }
    proposed = CleanProposedName(proposed, extension);

    std::string path;
    if (!CUi_Interface::Get().GetSaveFileName(FileFilter(), extension, proposed, m_app.LastFilePath(), path))
    {
        m_title = proposed;
        m_bSavedToChosenFile = false;
        return 0;
    }
    if (!OnSaveDocument(path))
        return 0;
    m_app.SetLastFilePath(path);
    SetPathName(path);
    m_bSavedToChosenFile = true;
    return 1;
}
