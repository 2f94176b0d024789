#pragma once

// Edit dialog of one function key (template 1700), of the telephone or of a key-extension module.
// The function combo offers the functions the phone type takes; each function shows its own
// fields and hides the others. With key labels the key carries a label (at most 10 characters on a
// module key, whose label begins with "M", else 20); a macro key carries its macro text instead
// and records its key sequence in the macro recorder (button 9080).

#include "data/CData_Key.h"
#include "ui/CUi_Dialog.h"

#include <map>
#include <vector>

class CData_All;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

class CDlgE_Key : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 1700;
    static constexpr unsigned IDC_DIALKEYMSN = 1752;
    static constexpr unsigned IDC_DIALKEYUSE = 1754;
    static constexpr unsigned IDC_AWSKEYUSE = 1721;
    static constexpr unsigned IDC_VARIANTTEAM = 1762;
    static constexpr unsigned IDC_LINEKEYMSN = 1768;
    static constexpr unsigned IDC_MSNKEYMSNID = 1772;
    static constexpr unsigned IDC_MSNKEYMSN = 1774;
    static constexpr unsigned IDC_VMAILMSNID = 1777;
    static constexpr unsigned IDC_VMAILPIN = 1779;
    static constexpr unsigned IDC_LOGOUTTEAM = 1782;
    static constexpr unsigned IDC_EXTCHANNEL = 1792;
    static constexpr unsigned IDC_NOVREKPORT = 1793;
    static constexpr unsigned IDC_NOVREKBCHANNEL = 1794;
    static constexpr unsigned IDC_AWSMSNID = 1797;
    static constexpr unsigned IDC_AWSMSNEXT = 1799;
    static constexpr unsigned IDC_AUTOANSWERMSNID = 1804;
    static constexpr unsigned IDC_USERMSNID = 1807;
    static constexpr unsigned IDC_LINEAB = 1812;
    static constexpr unsigned IDC_VOICEBOX = 1816;
    static constexpr unsigned IDC_LOGOUTMSNID = 1828;
    static constexpr unsigned IDC_ANNOUNCE = 9000;
    static constexpr unsigned IDC_INTERCOM = 9001;
    static constexpr unsigned IDC_CHEF = 9002;
    static constexpr unsigned IDC_SEC = 9003;
    static constexpr unsigned IDC_NUMBERFIELD = 9005; // BALE and STATUSINFO
    static constexpr unsigned IDC_PENDINGCALLBACK = 9006;
    static constexpr unsigned IDC_MACROTEXT = 9079;
    static constexpr unsigned IDC_MACRO = 9080;
    static constexpr unsigned IDC_KEYUSE = 9129;
    static constexpr unsigned IDC_AUTOANSWERTIME = 9142;
    static constexpr unsigned IDC_KEYNAME = 9204;
    // Label lengths: module keys have the narrower paper strip.
    static constexpr int LABEL_MAX = 20;
    static constexpr int LABEL_MAX_MODULE = 10;
    // Longest internal number any phone takes in these fields.
    static constexpr int INTERNAL_MAX = 4;

    // data: the configuration the key belongs to (phone type, firmware, MSNs, modules).
    CDlgE_Key(const CData_Key& entry, const CData_All& data, QWidget* pParent = nullptr);

    const CData_Key& Entry() const { return m_entry; }

    // The key's label as the key lists show it ("5a", "E3", "M12", "LED1").
    const std::string& KeyLabel() const { return m_label; }
    // Longest label (and macro text) of a key with this label.
    static int LabelLimit(const std::string& keyLabel);
    // The controls that show a function's fields (before the phone's properties hide some).
    static std::vector<unsigned> FieldsOf(int nKeyUse);
    // The picture the macro recorder shows for this key.
    int MacroPicture() const;

    // Opens the macro recorder (button 9080); what it hands back on OK goes into the key.
    void RecordMacro();

public slots:
    void accept() override;

private:
    void ShowFieldsOf(int nKeyUse);
    int KeyUse() const;
    void AddRow(QFormLayout* pForm, unsigned nControl, const QString& label, QWidget* pField);
    QComboBox* MsnCombo(int nValue);

    CData_Key m_entry;
    const CData_All& m_data;
    std::string m_label;
    QFormLayout* m_pForm = nullptr;
    QComboBox* m_pKeyUse = nullptr;
    QLineEdit* m_pKeyName = nullptr;
    QLineEdit* m_pMacroText = nullptr;
    QButtonGroup* m_pDialKeyUse = nullptr;
    QButtonGroup* m_pAwsKeyUse = nullptr;
    QButtonGroup* m_pAutoAnswerTime = nullptr;
    QSpinBox* m_pNumberField = nullptr;
    // Every field by its control number, with the row it stands in.
    std::map<unsigned, QWidget*> m_fields;
    unsigned m_nNextLabel = IDC_STATIC_FIRST; // the number of the next row's label
    CData_Key::MacroStruct m_macro;
};
