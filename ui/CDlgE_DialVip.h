#pragma once

// Edit dialog of one VIP entry (template 1260): number and name. On phones whose VIP list is a
// dial-indication list the caption is text 214.

#include "data/CData_DialVip.h"
#include "ui/CUi_Dialog.h"

class QLineEdit;

class CDlgE_DialVip : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 1260;
    static constexpr unsigned IDC_ID = 1262;
    static constexpr unsigned IDC_MSN = 1264;
    static constexpr unsigned IDC_NAME = 1266;
    static constexpr unsigned TEXT_DIALIND_CAPTION = 214;

    explicit CDlgE_DialVip(const CData_DialVip& entry, QWidget* pParent = nullptr);

    const CData_DialVip& Entry() const { return m_entry; }

public slots:
    void accept() override;

protected:
    void TextsApplied() override;

private:
    CData_DialVip m_entry;
    QLineEdit* m_pMsn;
    QLineEdit* m_pName;
};
