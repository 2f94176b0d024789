#pragma once

// Page "Call filter" (template 7014): the five numbers of the incoming-call filter. The view does
// not add it; it can be made by its name (CR740CfView::CreatePage). An entry is edited in the
// call-filter dialog.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_CallFilter : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7014;
    static constexpr const char* CAPTION = "Call filter";

    explicit CPpS_CallFilter(CApp& app, QWidget* pParent = nullptr);

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;
};
