#pragma once

// The vCard import dialog (template 7024): fills one new phonebook entry from a vCard file. The
// file button reads the chosen file at once and offers its name proposals and numbers; the
// chosen number is localised with the telephony location given. Confirmation writes the fields
// into the entry the caller passed in, or is refused with text 295 while the name or number is
// empty. The decisions are CImport_VCardForm's.

#include "phonebook/CImport_VCardForm.h"
#include "ui/CUi_Dialog.h"

#include <string>

class CData_AllCfg;
class CData_DialName;
class CUi_FileField;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

class CDlg_Import_vCard : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7024;

    // country and outside: the telephony location's country text ("+49") and outside digits.
    CDlg_Import_vCard(CData_DialName& entry, const CData_AllCfg& cfg, const std::string& country,
                      const std::string& outside, QWidget* pParent = nullptr);

    // Reads the file and shows what it offers (the file button's work after the file dialog).
    void DoImport(const std::string& path);

    void accept() override;

    const CImport_VCardForm& Form() const { return m_form; }

private:
    void ShowForm();
    void TakeFields();
    void ShowLoud();

    CData_DialName& m_entry;
    std::string m_country;
    std::string m_outside;
    CImport_VCardForm m_form;

    CUi_FileField* m_pFile;
    QLabel* m_pFormattedName;
    QComboBox* m_pNames;
    QLineEdit* m_pName;
    QComboBox* m_pNumbers;
    QLineEdit* m_pNumber;
    QLineEdit* m_pInfo1;
    QLineEdit* m_pInfo2;
    QSlider* m_pLoud;
    QCheckBox* m_pRising;
    QComboBox* m_pMelody;
    QComboBox* m_pMsnGo;
};
