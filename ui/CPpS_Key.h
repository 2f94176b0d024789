#pragma once

// Page "Keys" (template 1300): the telephone's programmable keys with their functions, parameters
// and labels. A key is edited in the function-key dialog; button 9126 prints the key label sheet
// on phone types that have one.

#include "ui/CPp_Page.h"

#include <string>

class CApp;
class CData_Key;
class CListCtrl_RepBar;

class CPpS_Key : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1300;
    static constexpr const char* CAPTION = "Keys";
    static constexpr int COLUMNS = 4;

    explicit CPpS_Key(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

    // The text of a key's function: the interface text of the function, else its word.
    static std::string FunctionText(const CData_Key& key);
    // The key list's columns, shared with the module pages.
    static void InitColumns(CListCtrl_RepBar* pList, int nRows, int nVisibleRows);
    // One row of a key list: its label, function, main parameter and name.
    static void FillRow(CListCtrl_RepBar* pList, int nRow, const std::string& label, const CData_Key& key);

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;
};
