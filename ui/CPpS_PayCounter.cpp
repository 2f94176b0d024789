#include "ui/CPpS_PayCounter.h"

#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Texts.h"

#include <QVBoxLayout>

#include <cstdio>

namespace
{
constexpr unsigned IDC_PAYCOUNTER_LST = 2001;
constexpr unsigned IDS_STR_MSNPARA_ID = 201;
constexpr unsigned IDS_STR_MSNPARA_MSN = 202;
constexpr unsigned IDS_STR_MSNPARA_PAYCOUNTER = 206;
constexpr unsigned IDS_STR_PAYCOUNTER_SUM = 296;
constexpr unsigned IDS_STR_PAYCOUNTER_SUMSTR = 297;
constexpr int COLUMNS = 3;
// The MSN block's columns shown: number, MSN, charge counter.
const int s_anBlockColumn[COLUMNS] = {0, 1, 6};
} // namespace

CPpS_PayCounter::CPpS_PayCounter(CApp& app, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    pLayout->addWidget(AddList(IDC_PAYCOUNTER_LST), 1);
    List()->setAccessibleName(windowTitle());
    FinishControls();
}

std::string CPpS_PayCounter::Amount(uint64_t nUnits, const std::string& payMult)
{
    unsigned nMant = 0;
    unsigned nExp = 0;
    PayMultToMantExp(payMult, nMant, nExp);
    uint64_t nScale = 1;
    for (unsigned i = 0; i < nExp; ++i)
        nScale *= 10;
    const uint64_t nValue = nUnits * nMant; // at most 2^32 * 16383: no overflow
    std::string text = std::to_string(nValue / nScale);
    if (nExp > 0)
    {
        char sz[8];
        std::snprintf(sz, sizeof sz, "%0*u", static_cast<int>(nExp), static_cast<unsigned>(nValue % nScale));
        text += ",";
        text += sz;
    }
    return text;
}

void CPpS_PayCounter::DocToMembers()
{
    const CListCtrl_RepBar::CColumn columns[COLUMNS] = {
        {UiText(IDS_STR_MSNPARA_ID, "No."), 4},
        {UiText(IDS_STR_MSNPARA_MSN, "MSN"), 26},
        {UiText(IDS_STR_MSNPARA_PAYCOUNTER, "Charge counter"), 12}};
    CData_All& data = Data();
    const int nMsns = CData_AllCfg::Active(CData_AllCfg::K_MSNPARA);
    List()->ColumnInit(COLUMNS, nMsns + 1, VISIBLE_ROWS, columns, false);
    uint64_t nSum = 0;
    for (int nRow = 0; nRow < nMsns; ++nRow)
    {
        CData_MsnPara entry = data.m_Cfg.m_MsnPara[nRow];
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(nRow, i,
                                CellText(entry.ColumnText(s_anBlockColumn[i], data.m_Version.m_nPhoneType)));
        List()->SetItemData(nRow, nRow);
        nSum += entry.m_nPayCounter;
    }
    const CData_Basic& basic = data.m_Cfg.m_Basic;
    // The sum row: its caption, the amount in the currency, and the units as the counters show theirs.
    List()->SetItemText(nMsns, 0, QStringLiteral("  ") + UiText(IDS_STR_PAYCOUNTER_SUM, "Sum"));
    List()->SetItemText(nMsns, 1,
                        QStringLiteral("  %1: %2 %3")
                            .arg(UiText(IDS_STR_PAYCOUNTER_SUMSTR, "Sum amount"),
                                 QString::fromStdString(Amount(nSum, basic.m_strPayMult)),
                                 CUi_Texts::FromCp1252(basic.m_strPayStr)));
    char szSum[32];
    std::snprintf(szSum, sizeof szSum, "% 10lld", static_cast<long long>(nSum));
    List()->SetItemText(nMsns, 2, CellText(szSum));
    List()->SetItemData(nMsns, -1);
}
