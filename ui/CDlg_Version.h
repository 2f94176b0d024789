#pragma once

// The telephone's version block (template 3000), opened from the about box: phone type, brand,
// country, firmware version and release, serial number, brand text, data-base version and
// least-cost routing. It shows the block; nothing in it is edited.

#include "data/CData_Version.h"
#include "ui/CUi_Dialog.h"

class CDlg_Version : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 3000;
    static constexpr unsigned IDC_PHONETYPE = 3202;
    static constexpr unsigned IDC_SERIALNO = 3204;
    static constexpr unsigned IDC_LCRSUPPORT = 3205;
    static constexpr unsigned IDC_COUNTRY = 3212;
    static constexpr unsigned IDC_VERSION = 3214;
    static constexpr unsigned IDC_RELEASE = 3216;
    static constexpr unsigned IDC_DBVERSION = 3218;
    static constexpr unsigned IDC_OEMTYPE = 3222;
    static constexpr unsigned IDC_OEMSTRING = 3224;
    // The data-base version shows at most this many characters.
    static constexpr int DBVERSION_WIDTH = 8;

    explicit CDlg_Version(const CData_Version& entry, QWidget* pParent = nullptr);

    const CData_Version& Entry() const { return m_entry; }

    // Interface text of a phone type's name (170 and on); 0 for a value that is no phone type.
    static unsigned PhoneTypeText(int nPhoneType);
    // The serial number as the dialog shows it: its value in eight hexadecimal digits.
    static std::string SerialText(const std::string& serialNo);

private:
    CData_Version m_entry;
};
