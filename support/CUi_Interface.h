#pragma once

// What the core needs from the user. The program implements it with Qt widgets, the tests with
// scripted answers; the core never includes a widget header. Texts are code page 1252 bytes, as
// everywhere in the core; the implementation converts them at its boundary.

#include <string>

class CUi_Interface
{
public:
    enum EIcon
    {
        ICON_NONE,
        ICON_INFORMATION,
        ICON_QUESTION,
        ICON_WARNING,
        ICON_STOP,
    };
    enum EButtons
    {
        BUTTONS_OK,
        BUTTONS_OK_CANCEL,
        BUTTONS_YES_NO,
        BUTTONS_YES_NO_CANCEL,
    };
    // Answers carry the numbers the system's message boxes give.
    enum EAnswer
    {
        ANSWER_OK = 1,
        ANSWER_CANCEL = 2,
        ANSWER_YES = 6,
        ANSWER_NO = 7,
    };

    virtual ~CUi_Interface() = default;

    // Shows a message and gives the answer chosen.
    virtual int MessageBox(const std::string& text, const std::string& caption, EIcon icon,
                           EButtons buttons) = 0;

    // File dialogs. filter is the filter text of the interface texts ("Description|*.ext|...||");
    // initialDir the directory (or a file in it) shown first. 1 and the chosen full path on OK,
    // 0 on cancel. Without anybody to ask the dialogs are cancelled.
    virtual int GetOpenFileName(const std::string& filter, const std::string& initialDir, std::string& path)
    {
        (void)filter;
        (void)initialDir;
        (void)path;
        return 0;
    }
    // The save dialog proposes proposedName, appends defaultExt (when not empty) to a name typed
    // without extension and asks before overwriting an existing file.
    virtual int GetSaveFileName(const std::string& filter, const std::string& defaultExt,
                                const std::string& proposedName, const std::string& initialDir,
                                std::string& path)
    {
        (void)filter;
        (void)defaultExt;
        (void)proposedName;
        (void)initialDir;
        (void)path;
        return 0;
    }

    // The implementation in force; without one, every message is answered with its first button.
    static CUi_Interface& Get();
    // Installs an implementation (not owned); nullptr restores the silent default.
    static void Set(CUi_Interface* pUi);
};
