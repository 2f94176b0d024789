#pragma once

// Edit dialog of one MSN slot (template 1210): the number, its display text, ring volume and
// melody for external and (where the phone has them) internal calls, call forwarding, call
// deflection and the charge limit; the charge counter is shown and can be reset.

#include "data/CData_MsnPara.h"
#include "ui/CUi_Dialog.h"

class CData_AllCfg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

class CDlgE_MsnPara : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 1210;
    static constexpr unsigned IDC_MSN = 1223;
    static constexpr unsigned IDC_LOUD = 1225;
    static constexpr unsigned IDC_MELODY = 1227;
    static constexpr unsigned IDC_TXT = 1231;
    static constexpr unsigned IDC_LOUD_INTERN = 1233;
    static constexpr unsigned IDC_MELODY_INTERN = 1235;
    static constexpr unsigned IDC_TAXLIMIT = 1237;
    static constexpr unsigned IDC_MSNAWS = 1241;
    static constexpr unsigned IDC_CALLDEFLECTION = 1243;
    static constexpr unsigned IDC_PAYCOUNTER_RESET = 9005;
    static constexpr unsigned IDC_TAXLIMIT_ON = 9166;
    static constexpr unsigned IDC_PAYCOUNTER_STATIC = 1238;
    // Ring melodies of an MSN (the value type Melody).
    static constexpr int MELODY_COUNT = 20;
    // Largest charge limit (the value type TaxLimit).
    static constexpr int TAXLIMIT_MAX = 9999;

    explicit CDlgE_MsnPara(const CData_MsnPara& entry, QWidget* pParent = nullptr);

    // How the dialogs name MSN slot nSlot (0 to 9) of a configuration: its display text (or
    // "MSN-n") and its number in brackets; a slot without a number is text 284, "-" and n.
    static QString SlotText(const CData_AllCfg& cfg, int nSlot);

    const CData_MsnPara& Entry() const { return m_entry; }

public slots:
    void accept() override;

protected:
    void TextsApplied() override;

private:
    CData_MsnPara m_entry;
    QLineEdit* m_pMsn;
    QLineEdit* m_pTxt;
    QSlider* m_pLoud;
    QComboBox* m_pMelody;
    QSlider* m_pLoudIntern;
    QComboBox* m_pMelodyIntern;
    QLineEdit* m_pMsnAws;
    QLineEdit* m_pCallDeflection;
    QCheckBox* m_pTaxLimitOn;
    QSpinBox* m_pTaxLimit;
    QCheckBox* m_pPayCounterReset;
};
