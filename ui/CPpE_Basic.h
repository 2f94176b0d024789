#pragma once

// Page "Basic settings" (template 1000): the phone type and its modules, the version block, the
// charges, the unit name and the general switches. Choosing a phone type or a module type
// rebuilds the pages that depend on them at once (the view does it on the signals below).

#include "ui/CPp_Page.h"

class CApp;

class CPpE_Basic : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1000;
    static constexpr const char* CAPTION = "Basic settings";

    explicit CPpE_Basic(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

    // The phone types the brand offers, in the order of their values, with their words.
    static std::vector<CItem> PhoneTypeItems();

signals:
    void PhoneTypeChosen(int nPhoneType);
    void ModuleTypeChosen();
    void PinResetRequested();
};
