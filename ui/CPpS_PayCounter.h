#pragma once

// Page "Charges" (template 2000): the charge counter of every MSN and their sum, in units and as
// an amount in the currency of the basic settings.

#include "ui/CPp_Page.h"

#include <cstdint>
#include <string>

class CApp;

class CPpS_PayCounter : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 2000;
    static constexpr const char* CAPTION = "Charges";
    static constexpr int VISIBLE_ROWS = 11;

    explicit CPpS_PayCounter(CApp& app, QWidget* pParent = nullptr);

    // The amount of a number of charge units at a charge multiplier ("0,12"), with the
    // multiplier's decimals and a comma.
    static std::string Amount(uint64_t nUnits, const std::string& payMult);

protected:
    void DocToMembers() override;
};
