#pragma once

// Page "Dialling" (template 1002): prefixes, least-cost routing, the PABX, the call and dial
// filter modes and the voice-box and voicemail numbers.

#include "ui/CPp_Page.h"

class CApp;

class CPpE_BasicDial : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1002;
    static constexpr const char* CAPTION = "Dialling";

    explicit CPpE_BasicDial(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

protected:
    void DocToMembers() override;
};
