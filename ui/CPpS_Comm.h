#pragma once

// Page "Connection" (template 1500), always the last: how the telephone is reached (USB, a serial
// port, or the PABX) and the buttons that read from and send to it, as the menu commands do.
// The link settings are the application's, not the document's.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_Comm : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1500;
    static constexpr const char* CAPTION = "Connection";
    // Serial ports offered (COM1 to COM9; the link library's port 10 is USB).
    static constexpr int COM_PORT_MAX = 9;

    explicit CPpS_Comm(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

signals:
    void CommandRequested(unsigned nCommand);

private:
    void OnRadio(int nKind);
    void UpdatePortCombo();
    unsigned RxCommand() const;
    unsigned TxCommand() const;

    CApp& m_app;
};
