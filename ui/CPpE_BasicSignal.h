#pragma once

// Page "Signals" (template 1001): volumes, tones, what the display shows, and which sounds go to
// the external audio output.

#include "ui/CPp_Page.h"

class CApp;

class CPpE_BasicSignal : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1001;
    static constexpr const char* CAPTION = "Signals";

    explicit CPpE_BasicSignal(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

protected:
    void DocToMembers() override;
};
