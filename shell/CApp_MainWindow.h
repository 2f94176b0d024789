#pragma once

// What the application object does with its main window: the unattended runs minimise it, give
// it a title with the PABX port's name, and close the program with an exit code; new properties
// set the status bar's port pane. The program's main frame implements it; without one (tests,
// headless runs) the object below only keeps the title, the pane and the exit code, so that the
// core runs all the same.

#include <string>

class CApp_MainWindow
{
public:
    virtual ~CApp_MainWindow() = default;

    virtual void ShowMinimized() {}
    virtual void ShowNormal() {}
    virtual std::string Title() const { return m_title; }
    virtual void SetTitle(const std::string& title) { m_title = title; }
    // The main window is destroyed; the message loop goes on until the quit message.
    virtual void Destroy() { m_bDestroyed = true; }
    // Posts the quit message: the message loop ends and the program exits with this code.
    virtual void PostQuit(int nExitCode)
    {
        m_bQuitPosted = true;
        m_nExitCode = nExitCode;
    }
    // Files dropped on the window open as documents.
    virtual void AcceptDroppedFiles() {}
    // A document was created or opened: the view builds its pages anew for the document's phone
    // type and modules and shows its data (the frame's initial update).
    virtual void InitialUpdateFrame() {}
    // The status bar's port pane (identifier 501): " USB", " COM1", or the PABX text.
    virtual void SetPortPane(const std::string& text) { m_portPane = text; }
    // Opens the help file at a help context.
    virtual void OpenHelp(const std::string& helpFile, int nContext)
    {
        m_helpFile = helpFile;
        m_nHelpContext = nContext;
    }

    bool Destroyed() const { return m_bDestroyed; }
    bool QuitPosted() const { return m_bQuitPosted; }
    int ExitCode() const { return m_nExitCode; }
    const std::string& PortPane() const { return m_portPane; }
    const std::string& HelpFile() const { return m_helpFile; }
    int HelpContext() const { return m_nHelpContext; }

protected:
    std::string m_title;
    std::string m_portPane;
    std::string m_helpFile;
    int m_nHelpContext = 0;
    bool m_bDestroyed = false;
    bool m_bQuitPosted = false;
    int m_nExitCode = 0;
};
