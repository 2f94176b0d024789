#pragma once

// Page "Messaging" (template 7020): the numbers of the SMS service centres.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_Messaging : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7020;
    static constexpr const char* CAPTION = "Messaging";

    explicit CPpS_Messaging(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;
};
