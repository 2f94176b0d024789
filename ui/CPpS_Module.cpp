#include "ui/CPpS_Module.h"

#include "data/CData_All.h"
#include "data/CData_KeyLabels.h"
#include "data/CData_Types.h"
#include "shell/CApp.h"
#include "support/Trace.h"
#include "ui/CDlgE_Key.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CPpS_Key.h"
#include "ui/CUi_Print.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace
{
const char s_szClass[] = "CPpS_Module";

enum : unsigned
{
    IDC_MODULE_VERSION = 9184,
    IDC_MODULE_RELEASE = 9186,
    IDC_MODULE_TYPE = 9188,
    IDC_MODULE_LST = 9189,
    IDC_MODULE_SERIALNO = 9195,
    IDC_MODULE_PRINT = 9126,
};
// Visible rows of the key list when the page does not fit it to its height.
constexpr int VISIBLE_ROWS = 14;
} // namespace

CPpS_Module::CPpS_Module(CApp& app, int nSlot, QWidget* pParent)
    : CPp_Page(IDD, &app.DocData(), CAPTION, pParent), m_nSlot(nSlot)
{
    auto* pLayout = new QVBoxLayout(Content());
    QGroupBox* pInfo = AddGroup(IDC_STATIC_FIRST + 0, "Module");
    auto* pInfoGrid = new QGridLayout(pInfo);
    struct CShown
    {
        unsigned nControl;
        const char* pszLabel;
        std::string CData_VersionModule::*pText;
    };
    const CShown shown[] = {
        {IDC_MODULE_VERSION, "Version", &CData_VersionModule::m_strVersion},
        {IDC_MODULE_RELEASE, "Release", &CData_VersionModule::m_strRelease},
        {IDC_MODULE_SERIALNO, "Serial number", &CData_VersionModule::m_strSerialNo},
    };
    // The module's type as its word (a text kept by the page, not the block).
    auto typeText = std::make_shared<std::string>();
    QLineEdit* pType = AddShow(IDC_MODULE_TYPE,
                               [typeText, nSlot](CData_All& d) -> std::string&
                               {
                                   ModuleTypeToStr(d.m_Cfg.m_VersionModule[nSlot].m_nModuleType, *typeText);
                                   return *typeText;
                               });
    pInfoGrid->addWidget(AddLabel(IDC_STATIC_FIRST + 1, "Type", pType), 0, 0);
    pInfoGrid->addWidget(pType, 0, 1);
    int nCell = 1;
    for (const CShown& row : shown)
    {
        auto pText = row.pText;
        QLineEdit* pEdit = AddShow(row.nControl,
                                   [nSlot, pText](CData_All& d) -> std::string&
                                   { return d.m_Cfg.m_VersionModule[nSlot].*pText; });
        pInfoGrid->addWidget(AddLabel(0, row.pszLabel, pEdit), nCell / 2, (nCell % 2) * 2);
        pInfoGrid->addWidget(pEdit, nCell / 2, (nCell % 2) * 2 + 1);
        ++nCell;
    }
    pLayout->addWidget(pInfo);
    pLayout->addWidget(AddList(IDC_MODULE_LST), 1);
    List()->setAccessibleName(QStringLiteral("Module keys"));
    QPushButton* pPrint = AddButton(IDC_MODULE_PRINT, "&Print module labels...");
    connect(pPrint, &QPushButton::clicked, this,
            [this] { CUi_Print::PrintModuleLabels(this, Data(), m_nSlot); });
    pLayout->addWidget(pPrint, 0, Qt::AlignLeft);
    FinishControls();
}

int CPpS_Module::KeyOfRow(int nRow) const
{
    return (m_nSlot - 1) * CData_AllCfg::MODULE_KEY_COUNT + nRow;
}

void CPpS_Module::DocToMembers()
{
    const int nRows = CData_AllCfg::MODULE_KEY_COUNT;
    CPpS_Key::InitColumns(List(), nRows, VISIBLE_ROWS);
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const int nKey = KeyOfRow(nRow);
        CPpS_Key::FillRow(List(), nRow, CData_KeyLabels::ModuleKey(nKey), Cfg().m_KeyE920[nKey]);
        List()->SetItemData(nRow, nKey);
    }
}

int CPpS_Module::EditRow(int nRow)
{
    const int nKey = List()->ItemData(nRow);
    if (nKey < 0 || nKey >= CData_AllCfg::KEYE920_MAX)
        return 0;
    if (TraceIsOn())
    {
        const std::string key = std::to_string(nKey);
        TraceLine(s_szClass, "CPpS_Module::EditSelected(", key.c_str(), ")");
    }
    CDlgE_Key dlg(Cfg().m_KeyE920[nKey], Data(), this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    Cfg().m_KeyE920[nKey] = dlg.Entry();
    return 1;
}
