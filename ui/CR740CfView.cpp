#include "ui/CR740CfView.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_UiText.h"
#include "shell/CApp.h"
#include "support/Trace.h"
#include "ui/CPpE_Basic.h"
#include "ui/CPpE_BasicDial.h"
#include "ui/CPpE_BasicSignal.h"
#include "ui/CPpS_AlarmCall.h"
#include "ui/CPpS_AnswerMachine.h"
#include "ui/CPpS_CallFilter.h"
#include "ui/CPpS_Comm.h"
#include "ui/CPpS_DialFilter.h"
#include "ui/CPpS_DialName.h"
#include "ui/CPpS_DialVip.h"
#include "ui/CPpS_Key.h"
#include "ui/CPpS_Messaging.h"
#include "ui/CPpS_Module.h"
#include "ui/CPpS_MsnPara.h"
#include "ui/CPpS_PayCounter.h"
#include "ui/CPpS_Update.h"
#include "ui/CPropertySheetView.h"
#include "ui/CUi_Texts.h"

#include <QVBoxLayout>

namespace
{
const char s_szClass[] = "View";

// Captions a property gives two pages instead of their template's.
constexpr unsigned IDS_STR_DIALVIP_DIALIND = 213;
constexpr unsigned IDS_STR_DIALFILTER_VARIANT = 275;

// Value texts of the answering machine's list: activation time 0..9, message time 1..4.
constexpr unsigned IDS_ANS_MASCH_ACT_TIME1 = 3110;
constexpr unsigned IDS_ANS_MASCH_MES_TIME1 = 3106;
constexpr int ACTIVATION_TIME_MAX = 9;
constexpr int MESSAGE_TIME_MAX = 4;

// Phone types whose answering-machine module in slot 0 brings the answering-machine page.
bool AnswerMachineModuleType(int nPhoneType)
{
    return nPhoneType == PHONETYPE_RV930 || nPhoneType == PHONETYPE_RV930U ||
           nPhoneType == PHONETYPE_RV930SMS;
}

// Pages that can be made by their class name.
struct CPageFactory
{
    const char* pszName;
    CPp_Page* (*create)(CApp& app, QWidget* pParent);
};
template <class T> CPp_Page* Make(CApp& app, QWidget* pParent)
{
    return new T(app, pParent);
}
const CPageFactory s_factories[] = {
    {"CPpE_Basic", &Make<CPpE_Basic>},
    {"CPpE_BasicSignal", &Make<CPpE_BasicSignal>},
    {"CPpE_BasicDial", &Make<CPpE_BasicDial>},
    {"CPpS_MsnPara", &Make<CPpS_MsnPara>},
    {"CPpS_DialVip", &Make<CPpS_DialVip>},
    {"CPpS_Key", &Make<CPpS_Key>},
    {"CPpS_DialFilter", &Make<CPpS_DialFilter>},
    {"CPpS_PayCounter", &Make<CPpS_PayCounter>},
    {"CPpS_DialName", &Make<CPpS_DialName>},
    {"CPpS_AlarmCall", &Make<CPpS_AlarmCall>},
    {"CPpS_AnswerMachine", &Make<CPpS_AnswerMachine>},
    {"CPpS_Messaging", &Make<CPpS_Messaging>},
    {"CPpS_Update", &Make<CPpS_Update>},
    {"CPpS_Comm", &Make<CPpS_Comm>},
    {"CPpS_CallFilter", &Make<CPpS_CallFilter>},
};
} // namespace

CR740CfView::CR740CfView(CApp& app, QWidget* pParent) : QWidget(pParent), m_app(app)
{
    setAccessibleName(QStringLiteral("View"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_anIndex.fill(-1);

    // The lists' column texts that need the document or the interface texts.
    CData_DialName::SetMsnSlotLookup(
        [this](int nSlot, std::string& strTxt, std::string& strMsn)
        {
            if (nSlot < 0 || nSlot >= CData_AllCfg::Active(CData_AllCfg::K_MSNPARA))
                return false;
            const CData_MsnPara& msn = m_app.DocData().m_Cfg.m_MsnPara[nSlot];
            strTxt = msn.m_strTxt;
            strMsn = msn.m_strMsn;
            return true;
        });
    CData_AnsMaschPerMsn::SetValueTextLookup(
        [](int nColumn, int nValue) -> std::string
        {
            if (nColumn == CData_AnsMaschPerMsn::COL_ACTIVATIONTIME && nValue >= 0 &&
                nValue <= ACTIVATION_TIME_MAX)
                return CData_UiText(IDS_ANS_MASCH_ACT_TIME1 + static_cast<unsigned>(nValue));
            if (nColumn == CData_AnsMaschPerMsn::COL_MAXMESSAGETIME && nValue >= 1 &&
                nValue <= MESSAGE_TIME_MAX)
                return CData_UiText(IDS_ANS_MASCH_MES_TIME1 + static_cast<unsigned>(nValue - 1));
            return std::string();
        });
}

CR740CfView::~CR740CfView()
{
    CData_DialName::SetMsnSlotLookup(nullptr);
    CData_AnsMaschPerMsn::SetValueTextLookup(nullptr);
}

CPp_Page* CR740CfView::CreatePage(const std::string& className, CApp& app, QWidget* pParent)
{
    for (const CPageFactory& factory : s_factories)
        if (className == factory.pszName)
            return factory.create(app, pParent);
    return nullptr;
}

void CR740CfView::ConnectPage(CPp_Page* pPage)
{
    connect(pPage, &CPp_Page::StateChanged, this, &CR740CfView::StateChanged);
    if (auto* pBasic = qobject_cast<CPpE_Basic*>(pPage))
    {
        connect(pBasic, &CPpE_Basic::PhoneTypeChosen, this, &CR740CfView::OnPhoneTypeChosen);
        connect(pBasic, &CPpE_Basic::ModuleTypeChosen, this, &CR740CfView::OnModulesChanged);
        connect(pBasic, &CPpE_Basic::PinResetRequested, this, &CR740CfView::PinResetRequested);
    }
    if (auto* pComm = qobject_cast<CPpS_Comm*>(pPage))
        connect(pComm, &CPpS_Comm::CommandRequested, this, &CR740CfView::CommandRequested);
    if (auto* pDialName = qobject_cast<CPpS_DialName*>(pPage))
        connect(pDialName, &CPpS_DialName::CountChanged, this, &CR740CfView::CountChanged);
}

template <class T, class... Args> int CR740CfView::Add(EPageRole role, const QString& caption, Args... args)
{
    QString tab = caption;
    if (tab.isEmpty())
        tab = CUi_Texts::PageCaption(T::IDD);
    if (tab.isEmpty())
        tab = QString::fromLatin1(T::CAPTION);
    const int nIndex = m_pSheet->count();
    m_pSheet->AddPage(
        [this, nIndex, caption, args...](QWidget* pParent) -> CPp_Page*
        {
            CPp_Page* pPage = new T(m_app, args..., pParent);
            PageBuilt(pPage, nIndex, caption);
            return pPage;
        },
        tab);
    if (role != ROLE_COUNT)
        m_anIndex[role] = nIndex;
    return nIndex;
}

void CR740CfView::PageBuilt(CPp_Page* pPage, int nIndex, const QString& caption)
{
    // The template's caption from the interface texts, else the page's own; a caption given
    // when the tab was added (the module pages, a property's caption) wins over both.
    CUi_Texts::ApplyPageCaption(pPage, pPage->TemplateNumber());
    if (!caption.isEmpty())
        pPage->setWindowTitle(caption);
    if (nIndex >= 0 && nIndex < PAGE_MAX)
        m_apPages[static_cast<size_t>(nIndex)] = pPage;
    ConnectPage(pPage);
}

int CR740CfView::FirstVariableIndex() const
{
    return (m_app.Brand().m_bAppCfg ? CFG_PAGE_COUNT : 0) + (m_app.Brand().m_bAppDialName ? 1 : 0);
}

void CR740CfView::OnInitialUpdate()
{
    TraceLine(s_szClass, "OnInitialUpdate()");
    // The sheet goes first; the pages are its children and go with it. Nothing is stored: the
    // pages showed the previous document.
    delete m_pSheet;
    m_pSheet = nullptr;
    m_apPages.fill(nullptr);
    m_anIndex.fill(-1);

    m_pSheet = new CPropertySheetView(this);
    layout()->addWidget(m_pSheet);
    connect(m_pSheet, &CPropertySheetView::ActivePageChanged, this, &CR740CfView::StateChanged);
    connect(m_pSheet, &CPropertySheetView::HelpRequested, this, &CR740CfView::HelpRequested);

    const CData_Properties& props = CData_Properties::Current();
    if (m_app.Brand().m_bAppCfg)
    {
        Add<CPpE_Basic>();
        Add<CPpE_BasicSignal>();
        Add<CPpE_BasicDial>();
        Add<CPpS_MsnPara>();
        Add<CPpS_DialVip>(ROLE_COUNT,
                          props.m_bDialVipDialInd ? CPp_Page::UiText(IDS_STR_DIALVIP_DIALIND) : QString());
        Add<CPpS_Key>();
        Add<CPpS_DialFilter>(ROLE_COUNT, props.m_bDialFilterVariant
                                             ? CPp_Page::UiText(IDS_STR_DIALFILTER_VARIANT)
                                             : QString());
        Add<CPpS_PayCounter>(ROLE_PAYCOUNTER);
    }
    if (m_app.Brand().m_bAppDialName)
        Add<CPpS_DialName>(ROLE_DIALNAME);
    BuildVariablePages();
    m_pSheet->show();
    m_pSheet->SetActivePage(0, true);
    emit StateChanged();
}

void CR740CfView::BuildVariablePages()
{
    if (!m_pSheet)
        return;
    const int nFirst = FirstVariableIndex();
    m_pSheet->RemovePagesFrom(nFirst);
    for (int i = nFirst; i < PAGE_MAX; ++i)
        m_apPages[static_cast<size_t>(i)] = nullptr;
    for (EPageRole role : {ROLE_ALARMCALL, ROLE_ANSWERMACHINE, ROLE_MESSAGING, ROLE_UPDATE, ROLE_MODULE_1,
                           ROLE_MODULE_2, ROLE_MODULE_3, ROLE_COMM})
        m_anIndex[role] = -1;

    if (m_app.Brand().m_bAppCfg)
    {
        const CData_Properties& props = CData_Properties::Current();
        const CData_All& data = m_app.DocData();
        if (props.m_bAlarmCalls)
            Add<CPpS_AlarmCall>(ROLE_ALARMCALL);
        if (props.m_bAnsweringMachine || (AnswerMachineModuleType(data.m_Version.m_nPhoneType) &&
                                          data.m_Cfg.m_VersionModule[0].m_nModuleType == MODULETYPE_AB))
            Add<CPpS_AnswerMachine>(ROLE_ANSWERMACHINE);
        if (props.m_bMessaging)
            Add<CPpS_Messaging>(ROLE_MESSAGING);
        if (props.m_bFirmwareUpdate)
            Add<CPpS_Update>(ROLE_UPDATE);
        for (int nSlot = 1; nSlot <= CData_AllCfg::MODULE_COUNT; ++nSlot)
        {
            if (data.m_Cfg.m_VersionModule[nSlot].m_nModuleType == MODULETYPE_NON)
                continue;
            const unsigned nCaption = IDS_MODULE_1 + static_cast<unsigned>(nSlot - 1);
            Add<CPpS_Module>(static_cast<EPageRole>(ROLE_MODULE_1 + nSlot - 1), CPp_Page::UiText(nCaption),
                             nSlot);
        }
    }
    Add<CPpS_Comm>(ROLE_COMM);
}

void CR740CfView::OnPhoneTypeChosen(int nPhoneType)
{
    m_app.DerivatLoad();
    m_app.DerivatToProperties(nPhoneType);
    emit TitleChanged();
    OnModulesChanged();
}

void CR740CfView::OnModulesChanged()
{
    MoveDataViewToDoc();
    if (CPp_Page* pPage = ActivePage())
        pPage->ApplyProperties();
    BuildVariablePages();
    update();
    emit StateChanged();
}

void CR740CfView::ActivateFirstPage()
{
    SetActivePage(0);
}

void CR740CfView::MoveDataDocToView()
{
    TraceLine(s_szClass, "MoveDataDocToView()");
    if (CPp_Page* pPage = ActivePage())
        pPage->OnSetActive();
    emit StateChanged();
}

void CR740CfView::MoveDataViewToDoc()
{
    TraceLine(s_szClass, "MoveDataViewToDoc()");
    if (CPp_Page* pPage = ActivePage())
        pPage->OnKillActive();
}

void CR740CfView::RefreshPages()
{
    if (CPp_Page* pPage = ActivePage())
        if (pPage->IsLoaded())
            pPage->ApplyProperties();
}

void CR740CfView::focusInEvent(QFocusEvent* pEvent)
{
    QWidget::focusInEvent(pEvent);
    if (m_pSheet)
        m_pSheet->setFocus();
}

CPp_Page* CR740CfView::ActivePage() const
{
    return m_pSheet ? m_pSheet->ActivePage() : nullptr;
}

int CR740CfView::ActiveIndex() const
{
    return m_pSheet ? m_pSheet->ActiveIndex() : -1;
}

void CR740CfView::SetActivePage(int nIndex)
{
    if (m_pSheet)
        m_pSheet->SetActivePage(nIndex);
}

int CR740CfView::PageCount() const
{
    return m_pSheet ? m_pSheet->count() : 0;
}

int CR740CfView::PageIndex(EPageRole role) const
{
    return role < ROLE_COUNT ? m_anIndex[role] : -1;
}

CPpS_DialName* CR740CfView::DialNamePage() const
{
    const int nIndex = PageIndex(ROLE_DIALNAME);
    return m_pSheet && nIndex >= 0 ? qobject_cast<CPpS_DialName*>(m_pSheet->Page(nIndex)) : nullptr;
}

CPpS_DialName* CR740CfView::ActiveDialNamePage() const
{
    const int nIndex = PageIndex(ROLE_DIALNAME);
    return nIndex >= 0 && nIndex == ActiveIndex() ? qobject_cast<CPpS_DialName*>(ActivePage()) : nullptr;
}
