#include "ui/CDlgE_CallFilter.h"

namespace
{
constexpr unsigned IDC_ID_STATIC = 9161;
constexpr unsigned IDC_MSN_STATIC = 9163;
} // namespace

CDlgE_CallFilter::CDlgE_CallFilter(const CData_CallFilter& entry, QWidget* pParent)
    : CDlgE_FilterNumber(TEMPLATE, {IDC_ID_STATIC, IDC_ID, IDC_MSN_STATIC, IDC_MSN}, entry, pParent),
      m_entry(entry)
{
    setWindowTitle(tr("Call filter entry"));
}

void CDlgE_CallFilter::accept()
{
    m_entry.m_strMsn = Number();
    CDlgE_FilterNumber::accept();
}
