#pragma once

// Edit dialog of one dial-filter entry (template 1910).

#include "data/CData_DialFilter.h"
#include "ui/CDlgE_FilterNumber.h"

class CDlgE_DialFilter : public CDlgE_FilterNumber
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 1910;
    static constexpr unsigned IDC_ID = 1912;
    static constexpr unsigned IDC_MSN = 1914;

    explicit CDlgE_DialFilter(const CData_DialFilter& entry, QWidget* pParent = nullptr);

    const CData_DialFilter& Entry() const { return m_entry; }

public slots:
    void accept() override;

private:
    CData_DialFilter m_entry;
};
