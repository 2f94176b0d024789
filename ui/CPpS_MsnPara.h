#pragma once

// Page "MSN" (template 1200): the phone's own numbers with their texts, ring volumes and melodies;
// from firmware 2000 on also the internal ring, the call-deflection number and the charge limit.
// An entry is edited in the MSN dialog.

#include "ui/CPp_Page.h"

#include <string>

class CApp;
class CData_MsnPara;

class CPpS_MsnPara : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1200;
    static constexpr const char* CAPTION = "MSN";
    // Firmware from this version number on has the four further columns.
    static constexpr int EXTENDED_VERSION = 2000;

    explicit CPpS_MsnPara(CApp& app, QWidget* pParent = nullptr);

    // The text column: the entry's text, or "MSN-n" (n counted from 1; "MSN10" for the tenth).
    static std::string MsnText(const CData_MsnPara& entry, int nIndex);
    // The firmware version the list follows: the version text of the document's version block.
    static int FirmwareVersion(const CData_All& data);

    void ApplyProperties() override;

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;
};
