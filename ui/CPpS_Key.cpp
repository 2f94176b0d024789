#include "ui/CPpS_Key.h"

#include "data/CData_All.h"
#include "data/CData_KeyLabels.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CDlgE_Key.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Print.h"
#include "ui/CUi_Texts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace
{
constexpr unsigned IDC_KEY_LST = 1301;
constexpr unsigned IDC_KEY_PRINT = 9126;

// Column headers and width factors.
constexpr unsigned IDS_STR_KEY_ID = 250;
constexpr unsigned IDS_STR_KEY_KEY = 256;
constexpr unsigned IDS_STR_KEY_USE = 252;
constexpr unsigned IDS_STR_KEY_LABEL = 265;

// Visible rows of the key list when the page does not fit it to its height.
constexpr int VISIBLE_ROWS = 14;
} // namespace

CPpS_Key::CPpS_Key(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    pLayout->addWidget(AddList(IDC_KEY_LST), 1);
    List()->setAccessibleName(windowTitle());
    QPushButton* pPrint = AddButton(IDC_KEY_PRINT, "&Print key labels...");
    pLayout->addWidget(pPrint, 0, Qt::AlignLeft);
    connect(pPrint, &QPushButton::clicked, this, [this] { CUi_Print::PrintKeyLabels(this, Data()); });
    FinishControls();
}

std::string CPpS_Key::FunctionText(const CData_Key& key)
{
    return CData_KeyLabels::FunctionText(key.m_nKeyUse);
}

void CPpS_Key::InitColumns(CListCtrl_RepBar* pList, int nRows, int nVisibleRows)
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {{UiText(IDS_STR_KEY_ID, "Key"), 5},
                                                        {UiText(IDS_STR_KEY_KEY, "Function"), 20},
                                                        {UiText(IDS_STR_KEY_USE, "Use"), 26},
                                                        {UiText(IDS_STR_KEY_LABEL, "Label"), 20}};
    pList->ColumnInit(COLUMNS, nRows, nVisibleRows, columns, true);
}

void CPpS_Key::FillRow(CListCtrl_RepBar* pList, int nRow, const std::string& label, const CData_Key& key)
{
    pList->SetItemText(nRow, 0, CellText(label));
    pList->SetItemText(nRow, 1, CellText(FunctionText(key)));
    pList->SetItemText(nRow, 2, CellText(key.InfoText(2)));
    pList->SetItemText(nRow, 3, CellText(key.InfoText(1)));
}

void CPpS_Key::DocToMembers()
{
    const int nRows = CData_AllCfg::Active(CData_AllCfg::K_KEY);
    InitColumns(List(), nRows, VISIBLE_ROWS);
    const int nPhoneType = Data().m_Version.m_nPhoneType;
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        FillRow(List(), nRow, CData_KeyLabels::PhoneKey(nPhoneType, nRow), Cfg().m_Key[nRow]);
        List()->SetItemData(nRow, nRow);
    }
}

void CPpS_Key::ApplyProperties()
{
    SetShown(IDC_KEY_PRINT, this, Props().m_bKeyPicture);
}

int CPpS_Key::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    if (nIndex < 0 || nIndex >= CData_AllCfg::KEY_MAX)
        return 0;
    CDlgE_Key dlg(Cfg().m_Key[nIndex], Data(), this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_Key[nIndex] = dlg.Entry();
    return 1;
}
