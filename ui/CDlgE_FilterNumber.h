#pragma once

// The dial-filter and call-filter dialogs: the entry's label and one number (at most 20 dial
// characters) of a filter entry.

#include "data/CData_FilterNumber.h"
#include "ui/CUi_Dialog.h"

class QLineEdit;

class CDlgE_FilterNumber : public CUi_Dialog
{
    Q_OBJECT

public:
    // The dialogs take at most this many characters, fewer than the entry could hold.
    static constexpr int NUMBER_MAX = 20;

    // The number as the dialog shows it.
    std::string Number() const;

protected:
    // Control numbers of the two labels (0: unnumbered), the entry label and the number.
    struct CControls
    {
        unsigned nIdLabel;
        unsigned nId;
        unsigned nMsnLabel;
        unsigned nMsn;
    };
    CDlgE_FilterNumber(unsigned nTemplate, const CControls& controls, const CData_FilterNumber& entry,
                       QWidget* pParent);

private:
    QLineEdit* m_pMsn;
};
