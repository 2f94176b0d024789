#include "ui/CPpS_MsnPara.h"

#include "data/CData_All.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "ui/CDlgE_MsnPara.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Texts.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>

namespace
{
enum : unsigned
{
    IDC_MSNPARA_LST = 1201,
    IDC_MSNPARA_INTERN_STATIC = 9131,
    IDC_MSNPARA_LIMIT_STATIC = 9132,
};

// Columns: header string, width factor, the block's column.
struct CColumnRow
{
    unsigned nHeader;
    const char* pszHeader;
    int nWidthFactor;
    int nBlockColumn;
};
const CColumnRow s_columns[] = {
    {201, "No.", 4, 0},
    {202, "MSN", 19, 1},
    {203, "Text", 8, 2},
    {204, "Volume", 6, 3},
    {205, "Melody", 6, 4},
    {215, "Internal volume", 6, 7},
    {216, "Internal melody", 6, 8},
    {217, "Called number", 19, 9},
    {218, "Limit", 7, 10},
};
constexpr int BASIC_COLUMNS = 5;
constexpr int EXTENDED_COLUMNS = 9;
constexpr int TEXT_COLUMN = 2;
// The tenth entry's text has no dash: "MSN10" fits the phone's eight characters.
constexpr int MSN_TEXT_NO_DASH = 10;
} // namespace

CPpS_MsnPara::CPpS_MsnPara(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    pLayout->addWidget(AddList(IDC_MSNPARA_LST), 1);
    List()->setAccessibleName(QStringLiteral("MSN"));
    QLabel* pIntern =
        AddLabel(IDC_MSNPARA_INTERN_STATIC, "Internal calls ring with their own volume and melody.");
    QLabel* pLimit = AddLabel(IDC_MSNPARA_LIMIT_STATIC,
                              "Calls to the called number are deflected; the limit caps the charges.");
    pIntern->setWordWrap(true);
    pLimit->setWordWrap(true);
    pLayout->addWidget(pIntern);
    pLayout->addWidget(pLimit);
    FinishControls();
}

std::string CPpS_MsnPara::MsnText(const CData_MsnPara& entry, int nIndex)
{
    if (!entry.m_strTxt.empty())
        return entry.m_strTxt;
    char sz[16];
    const int nNumber = nIndex + 1;
    std::snprintf(sz, sizeof sz, nNumber == MSN_TEXT_NO_DASH ? "MSN%01d" : "MSN-%01d", nNumber);
    return sz;
}

int CPpS_MsnPara::FirmwareVersion(const CData_All& data)
{
    return VersionToNumber(data.m_Version.m_strVersion);
}

void CPpS_MsnPara::DocToMembers()
{
    CData_All& data = Data();
    const bool bExtended = FirmwareVersion(data) >= EXTENDED_VERSION;
    const int nColumns = bExtended ? EXTENDED_COLUMNS : BASIC_COLUMNS;
    CListCtrl_RepBar::CColumn columns[EXTENDED_COLUMNS];
    for (int i = 0; i < nColumns; ++i)
        columns[i] = {UiText(s_columns[i].nHeader, s_columns[i].pszHeader), s_columns[i].nWidthFactor};
    const int nRows = CData_AllCfg::Active(CData_AllCfg::K_MSNPARA);
    List()->ColumnInit(nColumns, nRows, nRows, columns, false);
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        // The list shows a copy: the charge-limit column clears a limit that does not apply, and
        // showing the list must not change the document.
        CData_MsnPara entry = data.m_Cfg.m_MsnPara[nRow];
        for (int i = 0; i < nColumns; ++i)
        {
            const std::string text =
                s_columns[i].nBlockColumn == TEXT_COLUMN
                    ? MsnText(entry, nRow)
                    : entry.ColumnText(s_columns[i].nBlockColumn, data.m_Version.m_nPhoneType);
            List()->SetItemText(nRow, i, CellText(text));
        }
        List()->SetItemData(nRow, nRow);
    }
}

void CPpS_MsnPara::ApplyProperties()
{
    const bool bExtended = FirmwareVersion(Data()) >= EXTENDED_VERSION;
    SetShown(IDC_MSNPARA_INTERN_STATIC, this, bExtended);
    SetShown(IDC_MSNPARA_LIMIT_STATIC, this, bExtended);
}

int CPpS_MsnPara::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    if (nIndex < 0 || nIndex >= CData_AllCfg::MSNPARA_MAX)
        return 0;
    CDlgE_MsnPara dlg(Cfg().m_MsnPara[nIndex], this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_MsnPara[nIndex] = dlg.Entry();
    return 1;
}
