#pragma once

// The extended name/number import dialog (template 802): the number and up to four name parts,
// each as column and token (0: not used), the columns of one record, maximum entries and first
// line, shown 1-based. "Default" puts the defaults back; "Preview" runs the import on an empty
// phonebook and shows its first entries and report, so that the columns can be checked before
// the phonebook is replaced. The template's "Detect" button has no work of its own and is not
// shown.

#include "phonebook/CImport_NameMsn.h"
#include "ui/CUi_Dialog.h"

class CUi_FileField;
class QLineEdit;
class QSpinBox;

class CDlg_Import_NameMsn_Ex : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 802;
    // Entries the preview lists.
    static constexpr int PREVIEW_ENTRIES = 10;

    explicit CDlg_Import_NameMsn_Ex(QWidget* pParent = nullptr);

    CImport_NameMsnExSettings Settings() const;
    void SetSettings(const CImport_NameMsnExSettings& settings);

    // The preview's text for the current fields.
    std::string PreviewText() const;
    void Preview();

private:
    static constexpr int FIELDS = 1 + CImport_NameMsnExSettings::NAME_PARTS;

    QLineEdit* m_pPrefix;
    CUi_FileField* m_pFile;
    QSpinBox* m_apColumn[FIELDS]; // number, name parts 1 to 4
    QSpinBox* m_apToken[FIELDS];
    QSpinBox* m_pPerRecord;
    QSpinBox* m_pMaxEntries;
    QSpinBox* m_pFirstLine;
};
