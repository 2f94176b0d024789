#pragma once

// Edit dialog of one phonebook entry (template 1410): number, name, ring volume (or rising
// loudness), ring melody, the MSN to dial out with and two info-text lines. OK refuses an entry
// without number or name (text 295) and keeps the dialog open.

#include "data/CData_DialName.h"
#include "ui/CUi_Dialog.h"

class CData_AllCfg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

class CDlgE_DialName : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 1410;
    // Controls of the template.
    static constexpr unsigned IDC_NUMBER = 1412;
    static constexpr unsigned IDC_NAME = 1413;
    static constexpr unsigned IDC_LOUD = 1433;
    static constexpr unsigned IDC_MELODY = 1441;
    static constexpr unsigned IDC_MSNGO = 9081;
    static constexpr unsigned IDC_INFOTEXT1 = 9180;
    static constexpr unsigned IDC_INFOTEXT2 = 9182;
    static constexpr unsigned IDC_LOUD_TUMESCENT = 9202;
    // The info text shows on the telephone as two display lines.
    static constexpr int INFOTEXT_LINE = 21;
    static constexpr unsigned TEXT_NAME_MISSING = 295;

    // cfg: the configuration whose MSNs are offered to dial out with.
    CDlgE_DialName(const CData_DialName& entry, const CData_AllCfg& cfg, QWidget* pParent = nullptr);

    // The entry with the dialog's values after OK; as given until then.
    const CData_DialName& Entry() const { return m_entry; }

    // The two display lines of an info text and the info text of two lines (the first line filled
    // with blanks to its full width when a second one follows).
    static void SplitInfotext(const std::string& text, std::string& line1, std::string& line2);
    static std::string JoinInfotext(const std::string& line1, const std::string& line2);

public slots:
    void accept() override;

private:
    void OnRisingLoudness(bool bOn);

    CData_DialName m_entry;
    QLineEdit* m_pNumber;
    QLineEdit* m_pName;
    QSlider* m_pLoud;
    QCheckBox* m_pRising;
    QComboBox* m_pMelody;
    QComboBox* m_pMsnGo;
    QLineEdit* m_pInfo1;
    QLineEdit* m_pInfo2;
};
