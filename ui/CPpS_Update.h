#pragma once

// Page "Firmware update" (template 7009): what the telephone's firmware update does. No data of
// its own; only its interface texts.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_Update : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7009;
    static constexpr const char* CAPTION = "Firmware update";

    explicit CPpS_Update(CApp& app, QWidget* pParent = nullptr);
};
