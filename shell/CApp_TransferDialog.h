#pragma once

// What the transfer dialog (template 806) does, without its widget: builds the stack for the
// transfer mode and the link kind from the settings, the PABX hand-off and the command line; opens
// the link (Link_Init_Trans) and chooses the status text (Link_Init_Dlg); polls the state machine
// every 50 ms on the timer service (OnTimer: progress bar, running bit pattern, the end); copies
// the result back on success; offers a retry after an error; restores the properties in force
// before the transfer when it is cancelled; tears the stack down (Link_Exit). The widget shows what
// this object holds (CView) and passes its buttons on; the link library's notifications reach the
// adapter through the stack's notification sink. Traces under "CDlg_Trans".

#include "data/CData_Properties.h"

#include <memory>
#include <string>

class CApp;
class CApp_CommandLine;
class CApp_Profile;
class CLayerPP;
class CTrans_Stack;
struct CData_PabxHandOff;
struct CTrans_StackLink;

class CApp_TransferDialog
{
public:
    // The dialog's timer: its id and period.
    static constexpr unsigned TIMER_ID = 5872;
    static constexpr unsigned TIMER_MS = 50;
    // The progress bar's range.
    static constexpr int PROGRESS_MAX = 100;
    // The bit pattern and the display line are texts of at most 99 characters.
    static constexpr size_t TEXT_MAX = 99;
    // The running bit pattern when the language texts have no text 421.
    static const char* const DEFAULT_PATTERN;
    // Interface texts of the dialog.
    static constexpr unsigned IDS_STR_TRANS_OPEN_ERR = 420;
    static constexpr unsigned IDS_STR_TRANS_PROGRESS = 421;

    // What the widget does for the dialog.
    class CView
    {
    public:
        virtual ~CView() = default;
        // The status text, the running line, the progress or the retry button changed.
        virtual void Update(const CApp_TransferDialog& transfer) = 0;
        // Link_Init_Dlg: the main window is shown and brought to the foreground with the dialog.
        virtual void ShowMainWindow() {}
        // The error beep, or the default beep of a transfer that was done.
        virtual void Beep(bool bError) { (void)bError; }
        // Ends the modal dialog: 1 OK (the transfer was done), 0 cancel.
        virtual void End(int nResult) = 0;
    };

    CApp_TransferDialog(CApp& app, int nMode, int nLinkKind);
    // Link_Exit, when the dialog goes without having ended.
    ~CApp_TransferDialog();
    CApp_TransferDialog(const CApp_TransferDialog&) = delete;
    CApp_TransferDialog& operator=(const CApp_TransferDialog&) = delete;

    // The dialog's initialisation: the properties in force are kept for a cancel, the stack is
    // built (for link kinds 0 to 2; else there is none and the open fails), then Link_Init_Trans
    // and Link_Init_Dlg. pLink replaces the link adapter (tests put a telephone there).
    void Init(CView* pView, std::unique_ptr<CLayerPP> pLink = nullptr);
    // The 50 ms timer.
    void OnTimer();
    // The retry button: opens again over the same stack.
    void OnTransAgain();
    // The cancel button and the dialog's own cancel (Escape, closing): the properties in force
    // before the transfer come back, the stack goes, the dialog ends with cancel.
    void OnTransCancel();
    void OnCancel();

    // How the link adapter is set up for a transfer mode and link kind: the port (the serial
    // port setting; 10 for USB; for the PABX link and the PABX modes the hand-off's "Link"), the
    // transfer class and role (the simulation's in simulation mode), and the PABX values ("/SYSTEL":
    // serial number and port id; "/KNT": also the two parameters; else none). 0 for a link kind
    // that has no stack.
    static int StackLink(int nMode, int nLinkKind, const CApp_Profile& profile,
                         const CApp_CommandLine& commandLine, const CData_PabxHandOff& handOff,
                         const CData_Brand& brand, CTrans_StackLink& link);
    // The status text for a transfer mode and status (TRANS_...), or for a failed open.
    static unsigned StatusText(int nMode, int nStatus, bool bOpenFailed);
    // Data flows from the telephone in this mode: the running line moves leftward.
    static bool Receiving(int nMode);

    // ---- What the dialog shows ----
    const std::string& Info() const { return m_info; } // IDC_TRANS_INFO
    const std::string& Line() const { return m_line; } // IDC_TRANS_INFO2
    int Progress() const { return m_nProgress; }       // IDC_TRANS_PROGRESS, 0 to PROGRESS_MAX
    bool AgainShown() const { return m_bAgainShown; }  // ID_TRANS_AGAIN
    const std::string& Pattern() const { return m_pattern; }

    // ---- State ----
    bool OpenFailed() const { return m_bOpenFailed; }
    bool Rejected() const { return m_bRejected; }
    bool TimerRunning() const { return m_bTimer; }
    bool HasStack() const { return m_pStack != nullptr; }
    // -1 while the dialog is open; then 1 (done) or 0 (cancelled).
    int Result() const { return m_nResult; }
    // Open and waiting for the user: retry or cancel.
    bool Waiting() const { return m_nResult < 0 && !m_bTimer; }
    // Why the transfer failed or was refused, in words; empty while it has not.
    const std::string& Reason() const { return m_reason; }
    int Mode() const { return m_nMode; }

    // The running offset into the bit pattern (process-wide, as the line runs on from one
    // dialog to the next).
    static size_t RunningOffset();

private:
    void Link_Init_Trans();
    void Link_Init_Dlg();
    void Link_Exit();
    void Cancel();
    // A transfer that was done: the telephone's data become the document's and the phone image.
    // The one place where a transfer's success is taken over.
    void CopyBack();
    void TimerStart();
    void TimerStop();
    void End(int nResult);
    void Update();
    static void TimerProc(unsigned uId);

    CApp& m_app;
    int m_nMode;
    int m_nLinkKind;
    CView* m_pView = nullptr;
    std::unique_ptr<CTrans_Stack> m_pStack;
    CData_Properties::CSnapshot m_snapshot;
    bool m_bOpenFailed = false;
    bool m_bRejected = false;
    bool m_bTimer = false;
    bool m_bAgainShown = false;
    int m_nResult = -1;
    int m_nProgress = 0;
    std::string m_pattern;
    std::string m_info;
    std::string m_openError; // the link library's reason for a failed open
    std::string m_line;
    std::string m_reason;
};
