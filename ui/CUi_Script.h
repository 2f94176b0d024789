#pragma once

// A scripted run of the window program, for end-to-end tests and demonstrations: when the
// environment variable R740_UI_SCRIPT names a file, the program takes its user's answers from that
// file instead of asking, and runs the main window's commands it lists once start-up is over. The
// user's own runs never see it.
//
// One line per entry; blank lines and lines beginning with "#" are skipped:
//   answer ok|cancel|yes|no  the next message box's answer
//   pin TEXT                 the PIN typed into the next PIN dialog (OK); "pin -" cancels it
//   file PATH                the next file dialog's choice; "file -" cancels it
//   transfer retry|cancel    what the transfer dialog does next when it waits after an error
//   command N                runs the main window's command N (its menu item) after start-up
//   screenshot PATH          saves a picture of the main window as it is now (PNG)
//   quit                     closes the main window as File Exit does
//   log PATH                 every message box shown is appended to PATH (icon and text)
// Message boxes, PIN and file dialogs without an entry left are answered so that nothing waits
// and nothing is overwritten: OK for a box with OK alone, else No or Cancel; the PIN and file
// dialogs are cancelled; a transfer dialog that waits is cancelled.

#include "shell/CApp_PinPrompt.h"
#include "support/CUi_Interface.h"

#include <deque>
#include <string>
#include <vector>

class CMainFrame;
class CUi_TransferRunner;

class CUi_Script : public CUi_Interface, public CApp_PinPrompt
{
public:
    // The environment variable naming the script.
    static constexpr const char* ENVIRONMENT = "R740_UI_SCRIPT";
    // Exit code when the script's quit was refused (the main window stayed open).
    static constexpr int EXIT_QUIT_REFUSED = 3;

    // Reads the script; Error() says what was wrong with it.
    explicit CUi_Script(const std::string& path);

    // The file named by the environment; empty when there is none.
    static std::string PathFromEnvironment();

    bool IsValid() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // Answers the transfer dialog that waits.
    void Attach(CUi_TransferRunner& runner);
    // Runs the commands once the message loop runs.
    void Schedule(CMainFrame& frame);

    // ---- CUi_Interface ----
    int MessageBox(const std::string& text, const std::string& caption, EIcon icon,
                   EButtons buttons) override;
    int GetOpenFileName(const std::string& filter, const std::string& initialDir, std::string& path) override;
    int GetSaveFileName(const std::string& filter, const std::string& defaultExt,
                        const std::string& proposedName, const std::string& initialDir,
                        std::string& path) override;
    // ---- CApp_PinPrompt ----
    int AskPin(const Accept& accept, std::string& pin) override;

private:
    // A queued answer; bGiven false: the dialog is cancelled.
    struct CEntry
    {
        bool bGiven = true;
        std::string text;
    };
    int NextFile(std::string& path);
    void Log(const std::string& line) const;
    void RunCommands(CMainFrame& frame);

    std::deque<int> m_answers;
    std::deque<CEntry> m_pins;
    std::deque<CEntry> m_files;
    std::deque<bool> m_transferRetries;
    // What runs after start-up, in order.
    struct CStep
    {
        enum EKind
        {
            STEP_COMMAND,
            STEP_SCREENSHOT,
            STEP_QUIT,
        } kind;
        unsigned nCommand;
        std::string path;
    };
    std::vector<CStep> m_steps;
    std::string m_logPath;
    std::string m_error;
};
