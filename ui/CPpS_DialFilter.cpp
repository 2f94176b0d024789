#include "ui/CPpS_DialFilter.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "shell/CApp.h"
#include "ui/CDlgE_DialFilter.h"
#include "ui/CListCtrl_RepBar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
constexpr unsigned IDC_DIALFILTER_LST = 1901;
constexpr unsigned IDC_DIALFILTER_MODE = 9154;
constexpr unsigned IDS_STR_DIALFILTER_ID = 272;
constexpr unsigned IDS_STR_DIALFILTER_MSN = 273;
constexpr int COLUMNS = 2;
// Texts of the filter's modes.
constexpr unsigned IDS_STR_CHOICE_BLOCK_LISTED = 4420;
constexpr unsigned IDS_STR_CHOICE_BLOCK_ALL_BUT_ALLOWED = 4421;
} // namespace

CPp_Page::ItemList CPpS_DialFilter::ModeItems()
{
    return TextItems({{0, IDS_STR_CHOICE_OFF, "Off"},
                      {1, IDS_STR_CHOICE_BLOCK_LISTED, "Block listed, allow listed"},
                      {2, IDS_STR_CHOICE_BLOCK_ALL_BUT_ALLOWED, "Block all but allowed"}});
}

CPpS_DialFilter::CPpS_DialFilter(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    // The filter's mode beside its numbers, where the phone type's dial filter has one.
    auto* pForm = new QFormLayout();
    QComboBox* pMode = AddCombo(IDC_DIALFILTER_MODE, ModeItems(),
                                [](CData_All& d) -> int& { return d.m_Cfg.m_Basic.m_nDialFilterUse; });
    pForm->addRow(AddLabel(IDC_STATIC_FIRST + 0, "&Mode", pMode), pMode);
    pLayout->addLayout(pForm);
    pLayout->addWidget(AddList(IDC_DIALFILTER_LST), 1);
    List()->setAccessibleName(windowTitle());
    FinishControls();
}

void CPpS_DialFilter::DocToMembers()
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {{UiText(IDS_STR_DIALFILTER_ID, "No."), 12},
                                                        {UiText(IDS_STR_DIALFILTER_MSN, "Number"), 26}};
    const int nRows = CData_AllCfg::Active(CData_AllCfg::K_DIALFILTER);
    List()->ColumnInit(COLUMNS, nRows, VISIBLE_ROWS, columns, false);
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const CData_DialFilter& entry = Cfg().m_DialFilter[nRow];
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(nRow, i, CellText(entry.InfoText(i)));
        List()->SetItemData(nRow, nRow);
    }
}

void CPpS_DialFilter::ApplyProperties()
{
    SetShownWithLabel(IDC_DIALFILTER_MODE, Props().m_bDialFilterVariant);
}

int CPpS_DialFilter::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    if (nIndex < 0 || nIndex >= CData_AllCfg::DIALFILTER_MAX)
        return 0;
    CDlgE_DialFilter dlg(Cfg().m_DialFilter[nIndex], this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_DialFilter[nIndex] = dlg.Entry();
    return 1;
}
