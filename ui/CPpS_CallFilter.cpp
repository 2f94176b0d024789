#include "ui/CPpS_CallFilter.h"

#include "data/CData_All.h"
#include "shell/CApp.h"
#include "ui/CDlgE_CallFilter.h"
#include "ui/CListCtrl_RepBar.h"

#include <QVBoxLayout>

namespace
{
constexpr unsigned IDC_CALLFILTER_LST = 9159;
constexpr unsigned IDS_STR_CALLFILTER_ID = 276;
constexpr unsigned IDS_STR_CALLFILTER_MSN = 277;
constexpr int COLUMNS = 2;
} // namespace

CPpS_CallFilter::CPpS_CallFilter(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    pLayout->addWidget(AddList(IDC_CALLFILTER_LST), 1);
    List()->setAccessibleName(windowTitle());
    FinishControls();
}

void CPpS_CallFilter::DocToMembers()
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {{UiText(IDS_STR_CALLFILTER_ID, "No."), 12},
                                                        {UiText(IDS_STR_CALLFILTER_MSN, "Number"), 26}};
    const int nRows = CData_AllCfg::Held(CData_AllCfg::K_CALLFILTER);
    List()->ColumnInit(COLUMNS, nRows, nRows, columns, false);
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const CData_CallFilter& entry = Cfg().m_CallFilter[nRow];
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(nRow, i, CellText(entry.InfoText(i)));
        List()->SetItemData(nRow, nRow);
    }
}

int CPpS_CallFilter::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    if (nIndex < 0 || nIndex >= CData_AllCfg::CALLFILTER_MAX)
        return 0;
    CDlgE_CallFilter dlg(Cfg().m_CallFilter[nIndex], this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_CallFilter[nIndex] = dlg.Entry();
    return 1;
}
