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
//   page N                   shows the main window's page N as a click on its tab does (0 the
//                            first, -1 the last)
//   dialog N                 runs command N, which opens a dialog: the steps up to the matching
//                            "close" run while it is open (a PIN dialog is the real one then,
//                            when no "pin" entry is left)
//   row N                    opens row N (0 the first) of the page's list as a double click does;
//                            its dialog stays open up to the matching "close" as with "dialog"
//   close                    closes the dialog in front as its Cancel does
//   firststeps               shows the first steps in the help window as at a first start
//   screenshot PATH          saves a picture of the main window as it is now (PNG)
//   screenshot-dialog PATH   saves a picture of the dialog in front
//   screenshot-help PATH     saves a picture of the help window
//   screenshot-screen PATH   saves a picture of the whole screen (every window as it is shown)
//   quit                     closes the main window as File Exit does
//   log PATH                 every message box shown is appended to PATH (icon and text)
// Message boxes, PIN and file dialogs without an entry left are answered so that nothing waits
// and nothing is overwritten: OK for a box with OK alone, else No or Cancel; the PIN and file
// dialogs are cancelled; a transfer dialog that waits is cancelled.

#include "shell/CApp_PinPrompt.h"
#include "support/CUi_Interface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CMainFrame;
class CUi_TransferRunner;
class QWidget;

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
    // The real PIN dialog, shown inside a "dialog" step when no PIN entry is left (not owned).
    void SetDialogPinPrompt(CApp_PinPrompt* pPrompt) { m_pDialogPinPrompt = pPrompt; }
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
    // Runs the steps from the next one on; inside a dialog up to its "close".
    void RunSteps(CMainFrame& frame);
    // Runs the step that opens a dialog, with the steps inside it run from the dialog's own loop.
    void RunInDialog(CMainFrame& frame, const std::function<void()>& open);
    void PollDialog(CMainFrame& frame, unsigned nSerial);
    // After a dialog that did not open: on after its "close".
    void SkipDialogSteps();
    void RunCommand(CMainFrame& frame, unsigned nCommand);
    void Screenshot(QWidget* pWidget, const char* pszWhat, const std::string& path) const;

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
            STEP_PAGE,
            STEP_DIALOG,
            STEP_ROW,
            STEP_CLOSE,
            STEP_FIRSTSTEPS,
            STEP_SCREENSHOT_DIALOG,
            STEP_SCREENSHOT_HELP,
            STEP_SCREENSHOT_SCREEN,
        } kind;
        // The command, page or row.
        int nNumber;
        std::string path;
    };
    std::vector<CStep> m_steps;
    size_t m_nNextStep = 0;
    // A dialog step waits for its dialog to come up.
    bool m_bAwaitingDialog = false;
    unsigned m_nDialogSerial = 0;
    int m_nDialogDepth = 0;
    CApp_PinPrompt* m_pDialogPinPrompt = nullptr;
    std::string m_logPath;
    std::string m_error;
};
