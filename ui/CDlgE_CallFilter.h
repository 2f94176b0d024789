#pragma once

// Edit dialog of one call-filter entry (template 7015).

#include "data/CData_CallFilter.h"
#include "ui/CDlgE_FilterNumber.h"

class CDlgE_CallFilter : public CDlgE_FilterNumber
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 7015;
    static constexpr unsigned IDC_ID = 9162;
    static constexpr unsigned IDC_MSN = 9164;

    explicit CDlgE_CallFilter(const CData_CallFilter& entry, QWidget* pParent = nullptr);

    const CData_CallFilter& Entry() const { return m_entry; }

public slots:
    void accept() override;

private:
    CData_CallFilter m_entry;
};
