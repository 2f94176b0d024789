#include "ui/CPpS_DialVip.h"

#include "data/CData_All.h"
#include "shell/CApp.h"
#include "ui/CDlgE_DialVip.h"
#include "ui/CListCtrl_RepBar.h"

#include <QVBoxLayout>

namespace
{
constexpr unsigned IDC_DIALVIP_LST = 1251;
constexpr unsigned IDS_STR_DIALVIP_ID = 210;
constexpr unsigned IDS_STR_DIALVIP_MSN = 211;
constexpr unsigned IDS_STR_DIALVIP_NAME = 212;
constexpr int COLUMNS = 3;
} // namespace

CPpS_DialVip::CPpS_DialVip(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    pLayout->addWidget(AddList(IDC_DIALVIP_LST), 1);
    List()->setAccessibleName(windowTitle());
    FinishControls();
}

void CPpS_DialVip::DocToMembers()
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {{UiText(IDS_STR_DIALVIP_ID, "No."), 5},
                                                        {UiText(IDS_STR_DIALVIP_MSN, "Number"), 19},
                                                        {UiText(IDS_STR_DIALVIP_NAME, "Name"), 20}};
    const int nRows = CData_AllCfg::Active(CData_AllCfg::K_DIALVIP);
    List()->ColumnInit(COLUMNS, nRows, VISIBLE_ROWS, columns, false);
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const CData_DialVip& entry = Cfg().m_DialVip[nRow];
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(nRow, i, CellText(entry.InfoText(i)));
        List()->SetItemData(nRow, nRow);
    }
}

int CPpS_DialVip::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    if (nIndex < 0 || nIndex >= CData_AllCfg::DIALVIP_MAX)
        return 0;
    CDlgE_DialVip dlg(Cfg().m_DialVip[nIndex], this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_DialVip[nIndex] = dlg.Entry();
    return 1;
}
