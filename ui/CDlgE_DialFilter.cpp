#include "ui/CDlgE_DialFilter.h"

namespace
{
// Labels of the template.
constexpr unsigned IDC_ID_STATIC = 1911;
constexpr unsigned IDC_MSN_STATIC = 1913;
} // namespace

CDlgE_DialFilter::CDlgE_DialFilter(const CData_DialFilter& entry, QWidget* pParent)
    : CDlgE_FilterNumber(TEMPLATE, {IDC_ID_STATIC, IDC_ID, IDC_MSN_STATIC, IDC_MSN}, entry, pParent),
      m_entry(entry)
{
    setWindowTitle(tr("Dial filter entry"));
}

void CDlgE_DialFilter::accept()
{
    m_entry.m_strMsn = Number();
    CDlgE_FilterNumber::accept();
}
