#pragma once

// The PIN dialog of a write to the telephone, for the application object: CDlgE_Pin, modal over
// the main window, with the application's rule for a PIN.

#include "shell/CApp_PinPrompt.h"

class QWidget;

class CUi_PinPrompt : public CApp_PinPrompt
{
public:
    // pParent: the main window (not owned; may be nullptr).
    explicit CUi_PinPrompt(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    int AskPin(const Accept& accept, std::string& pin) override;

private:
    QWidget* m_pParent;
};
