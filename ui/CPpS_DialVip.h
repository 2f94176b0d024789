#pragma once

// Page "VIP list" (template 1250): ten numbers with names (a dial-indication list on some phone
// types). An entry is edited in the VIP dialog.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_DialVip : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1250;
    static constexpr const char* CAPTION = "VIP list";
    static constexpr int VISIBLE_ROWS = 10;

    explicit CPpS_DialVip(CApp& app, QWidget* pParent = nullptr);

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;
};
