#pragma once

// The dialling-prefix dialog (template 803): the mode (insert a prefix, remove a prefix, remove
// leading digits), the prefix, the digits to remove and the length limits, each field enabled
// only in the modes that use it. A title given is appended to the caption after " : ".

#include "phonebook/CPhonebook_Prefix.h"
#include "ui/CUi_Dialog.h"

#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;

class CDlg_Prefix : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 803;

    explicit CDlg_Prefix(QWidget* pParent = nullptr);

    void SetTitle(const std::string& title) { m_title = title; }
    CPhonebook_PrefixSettings Settings() const;
    void SetSettings(const CPhonebook_PrefixSettings& settings);

protected:
    void TextsApplied() override;

private:
    void EnableFields();

    std::string m_title;
    QRadioButton* m_apMode[CPhonebook_Prefix::MODE_MAX + 1];
    QLineEdit* m_pPrefix;
    QComboBox* m_pDigits;
    QComboBox* m_pMinLength;
    QComboBox* m_pMaxLength;
};
