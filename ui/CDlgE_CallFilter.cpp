#include "ui/CDlgE_CallFilter.h"

CDlgE_CallFilter::CDlgE_CallFilter(const CData_CallFilter& entry, QWidget* pParent)
    : CDlgE_FilterNumber(TEMPLATE, {0, IDC_ID, 0, IDC_MSN}, entry, pParent), m_entry(entry)
{
    setWindowTitle(tr("Call filter entry"));
}

void CDlgE_CallFilter::accept()
{
    m_entry.m_strMsn = Number();
    CDlgE_FilterNumber::accept();
}
