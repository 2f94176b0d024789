#pragma once

// The single document. It holds no data of its own: the configuration is the application's
// DocData, the last loaded or saved state its SavedData, and the document moves data between the
// view, those two and the configuration file (through CData_All::MoveFile and the one store).
// Whether it is modified is never tracked while editing; SaveModified computes it from
// DocData != SavedData. It reaches the application only through CApp_Interface; the file
// dialogs and questions go through CUi_Interface. Traces under "Doc".

#include <string>

class CApp_Interface;
class CData_All;

class CR740CfDoc
{
public:
    explicit CR740CfDoc(CApp_Interface& app);

    // ---- What the framework runs ----
    int OnNewDocument();
    // 0 when the file cannot be read (the user is told; DocData stays as it was).
    int OnOpenDocument(const std::string& path);
    // 1 when the file was written completely. A failure is shown to the user with the path and
    // the reason; the previous file stays intact and SavedData unchanged, so the document is
    // still modified.
    int OnSaveDocument(const std::string& path);
    // Writes data to path as a document is saved, without making it this document's file (the
    // backup of a telephone). 0 on failure, shown by the caller (LastErrorText), since an
    // unattended run has no one to answer a message.
    int SaveCopy(const CData_All& data, const std::string& path);
    // Asks whether to save when DocData differs from SavedData. 1: go on (saved, not modified or
    // the user said No); 0: cancelled (also when the save was cancelled or failed).
    int SaveModified();
    bool IsModified() const { return m_bModified; }
    // The system's error number of the last open or save that failed (what its message named).
    int LastError() const { return m_nLastError; }
    // The reason of LastError in words.
    std::string LastErrorText() const;

    // The framework's new and open: the question to save first, then the document's own step;
    // an opened file becomes the document's path and a recently used file.
    int OnFileNew();
    int OpenDocumentFile(const std::string& path);

    // ---- Commands ----
    // File Open: the open dialog at LastFilePath; loads the chosen file into the current document
    // without asking to save and without making it the document's path. 1 when a file was opened.
    int OnFileOpen();
    // File Save: straight to LastFilePath after a file was chosen in this document's life, else
    // the save dialog with the proposed name. 1 when saved.
    int OnFileSave();
    // File Save As: always the save dialog with the proposed name (the second half of File Save).
    int OnFileSaveAs();

    // The proposed name of the save dialog cleaned up: cut at its last ".", each of \ / : * ? " < > |
    // turned into "_", the extension appended.
    static std::string CleanProposedName(const std::string& name, const std::string& extension);
    // The default extension of the save dialog for the current brand and phone type.
    std::string DefaultExtension() const;

    // The document string of the program: its lines (LF between them) name the program, a new
    // document, the file type. Text 110 is the configurator's; the phonebook program, which reads
    // the same language files, has its own in text 111.
    static std::string DocString();
    // Line n (from 0) of the document string; empty when it has fewer lines.
    static std::string DocStringLine(int nLine);
    // The filter of the file dialogs.
    static std::string FileFilter();

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& PathName() const { return m_pathName; }
    // The document's path; the title becomes its file name, and with bAddToRecent the path joins
    // the recently used files.
    void SetPathName(const std::string& path, bool bAddToRecent = true);
    bool SavedToChosenFile() const { return m_bSavedToChosenFile; }

private:
    static std::string FileNameOf(const std::string& path);

    CApp_Interface& m_app;
    std::string m_title;
    std::string m_pathName;
    bool m_bSavedToChosenFile = false; // `SavedToChosenFile`
    bool m_bModified = false;          // as SaveModified last computed it
    int m_nLastError = 0;
};
