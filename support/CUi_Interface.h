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

    // The implementation in force; without one, every message is answered with its first button.
    static CUi_Interface& Get();
    // Installs an implementation (not owned); nullptr restores the silent default.
    static void Set(CUi_Interface* pUi);
};
