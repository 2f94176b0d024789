#pragma once

// The transfer dialog for the application object: CDlg_Trans, modal over the main window, for
// each transfer DoDataTransfer runs.

#include "shell/CApp_TransferRunner.h"

#include <functional>

class CApp;
class QWidget;

class CUi_TransferRunner : public CApp_TransferRunner
{
public:
    // pParent: the main window (not owned; may be nullptr).
    explicit CUi_TransferRunner(CApp& app, QWidget* pParent = nullptr) : m_app(app), m_pParent(pParent) {}
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    int RunTransfer(int nMode, int nLinkKind) override;
    COutcome LastOutcome() const override { return m_outcome; }

    // Who answers a dialog that waits after an error or a refusal, instead of the user (a scripted
    // run): true retries, false cancels. Empty: the user does.
    using Choice = std::function<bool()>;
    void SetWaitingChoice(Choice choice) { m_choice = std::move(choice); }

private:
    CApp& m_app;
    QWidget* m_pParent;
    Choice m_choice;
    COutcome m_outcome;
};
