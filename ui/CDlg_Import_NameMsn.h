#pragma once

// The simple name/number import dialog (template 801): number prefix, file, name and number
// column, first line and maximum entries, shown 1-based. Confirming it only closes it; the
// command runs the import with Settings() (CUi_PhonebookCommands).

#include "phonebook/CImport_NameMsn.h"
#include "ui/CUi_Dialog.h"

class CUi_FileField;
class QLineEdit;
class QSpinBox;

class CDlg_Import_NameMsn : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 801;

    explicit CDlg_Import_NameMsn(QWidget* pParent = nullptr);

    // The fields as the import takes them (0-based), and back.
    CImport_NameMsnSettings Settings() const;
    void SetSettings(const CImport_NameMsnSettings& settings);

private:
    QLineEdit* m_pPrefix;
    CUi_FileField* m_pFile;
    QSpinBox* m_pNameColumn;
    QSpinBox* m_pNumberColumn;
    QSpinBox* m_pFirstLine;
    QSpinBox* m_pMaxEntries;
};
