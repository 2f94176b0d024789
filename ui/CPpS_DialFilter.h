#pragma once

// Page "Dial filter" (template 1900): fourteen numbers in two groups of seven, blocked and
// allowed. An entry is edited in the dial-filter dialog.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_DialFilter : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1900;
    static constexpr const char* CAPTION = "Dial filter";
    static constexpr int VISIBLE_ROWS = 14;
    // The filter's modes, offered here and on the dialling page.
    static ItemList ModeItems();

    explicit CPpS_DialFilter(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;
};
