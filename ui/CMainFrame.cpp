#include "ui/CMainFrame.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_UiText.h"
#include "platform/CPlatform_Settings.h"
#include "shell/CApp.h"
#include "shell/CR740CfDoc.h"
#include "support/CLang_Help.h"
#include "support/CLang_Info.h"
#include "support/Trace.h"
#include "ui/CDlg_About.h"
#include "ui/CPpS_DialName.h"
#include "ui/CPp_Page.h"
#include "ui/CR740CfView.h"
#include "ui/CUi_Beep.h"
#include "ui/CUi_Commands.h"
#include "ui/CUi_HelpViewer.h"
#include "ui/CUi_Icons.h"
#include "ui/CUi_PhonebookCommands.h"
#include "ui/CUi_Print.h"
#include "ui/CUi_Texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include <algorithm>

namespace
{
const char s_szClass[] = "MainFrm";

// Roles a command belongs to.
enum : unsigned
{
    FOR_CFG = 1,
    FOR_DIALNAME = 2,
    FOR_ALL = FOR_CFG | FOR_DIALNAME,
};
// The four menus of menu 110.
enum EMenu
{
    MENU_FILE,
    MENU_PHONE,
    MENU_VIEW,
    MENU_HELP,
    MENU_NONE,
};
constexpr unsigned SEPARATOR = 0;
constexpr unsigned RECENT_FILES = 1; // where the recent files stand in the file menu

// The commands in the order of their menus. Texts are the menu's own; language files replace
// them by command number.
struct CCommandRow
{
    unsigned nCommand;
    EMenu menu;
    unsigned nRoles;
    const char* pszText;
    const char* pszShortcut;
    bool bToolBar;
};
const CCommandRow s_commands[] = {
    {ID_FILE_NEW, MENU_FILE, FOR_ALL, "&New\tCtrl+N", "Ctrl+N", true},
    {ID_FILE_OPEN, MENU_FILE, FOR_ALL, "&Open...\tCtrl+O", "Ctrl+O", true},
    {ID_FILE_SAVE, MENU_FILE, FOR_ALL, "&Save\tCtrl+S", "Ctrl+S", true},
    {ID_FILE_SAVE_AS, MENU_FILE, FOR_ALL, "Save &as...", nullptr, false},
    {SEPARATOR, MENU_FILE, FOR_DIALNAME, nullptr, nullptr, false},
    {ID_FILE_IMPORT_DIALNAME, MENU_FILE, FOR_DIALNAME, "&Import phonebook...", nullptr, false},
    {ID_FILE_IMPORT_DIALNAME_EX, MENU_FILE, FOR_DIALNAME, "Import phonebook (e&xtended)...", nullptr, false},
    {ID_FILE_IMPORT_VCARD, MENU_FILE, FOR_DIALNAME, "Import &vCard...", nullptr, false},
    {ID_FILE_EXPORT_DIALNAME, MENU_FILE, FOR_DIALNAME, "&Export phonebook...", nullptr, false},
    {ID_FILE_DEBUG_DIALNAME_FILL, MENU_FILE, FOR_DIALNAME, "Fill with test entries", nullptr, false},
    {SEPARATOR, MENU_FILE, FOR_ALL, nullptr, nullptr, false},
    {ID_FILE_PRINT, MENU_FILE, FOR_ALL, "&Print...\tCtrl+P", "Ctrl+P", true},
    {ID_FILE_PRINT_PREVIEW, MENU_FILE, FOR_ALL, "Print pre&view", nullptr, false},
    {ID_FILE_PRINT_SETUP, MENU_FILE, FOR_ALL, "P&rint setup...", nullptr, false},
    {SEPARATOR, MENU_FILE, FOR_ALL, nullptr, nullptr, false},
    {RECENT_FILES, MENU_FILE, FOR_ALL, nullptr, nullptr, false},
    {SEPARATOR, MENU_FILE, FOR_ALL, nullptr, nullptr, false},
    {ID_APP_EXIT, MENU_FILE, FOR_ALL, "E&xit", nullptr, false},
    {ID_FILE_RX_CFG, MENU_PHONE, FOR_CFG, "&Read configuration", nullptr, true},
    {ID_FILE_TX_CFG, MENU_PHONE, FOR_CFG, "&Send configuration", nullptr, true},
    {ID_FILE_RX_DIALNAME, MENU_PHONE, FOR_DIALNAME, "Read &phonebook", nullptr, true},
    {ID_FILE_TX_DIALNAME, MENU_PHONE, FOR_DIALNAME, "Send p&honebook", nullptr, true},
    {SEPARATOR, MENU_PHONE, FOR_DIALNAME, nullptr, nullptr, false},
    {ID_DIALNAME_NEW, MENU_PHONE, FOR_DIALNAME, "&New entry\tIns", "Ins", true},
    {ID_DIALNAME_EDIT, MENU_PHONE, FOR_DIALNAME, "&Edit entry", nullptr, true},
    {ID_DIALNAME_DELETE, MENU_PHONE, FOR_DIALNAME, "&Delete entry\tDel", "Del", true},
    {ID_DIALNAME_FIND, MENU_PHONE, FOR_DIALNAME, "&Find...\tCtrl+F", "Ctrl+F", true},
    {ID_DIALNAME_PREFIX, MENU_PHONE, FOR_DIALNAME, "&Prefixes...", nullptr, false},
    {ID_VIEW_TOOLBAR, MENU_VIEW, FOR_ALL, "&Toolbar", nullptr, false},
    {ID_VIEW_STATUS_BAR, MENU_VIEW, FOR_ALL, "&Status bar", nullptr, false},
    {ID_HELP_FINDER, MENU_HELP, FOR_ALL, "&Help topics", nullptr, false},
    {ID_CONTEXT_HELP, MENU_HELP, FOR_ALL, "&What's this?\tShift+F1", "Shift+F1", true},
    {SEPARATOR, MENU_HELP, FOR_ALL, nullptr, nullptr, false},
    {ID_APP_ABOUT, MENU_HELP, FOR_ALL, "&About...", nullptr, true},
    {ID_HELP, MENU_NONE, FOR_ALL, "Help", "F1", false},
};
const char* const s_apszMenus[] = {"&File", "&Telephone", "&View", "&Help"};

// Strings of the status bar.
constexpr unsigned AFX_IDS_IDLEMESSAGE = 57345;
// The settings of the bars.
const char s_szBarState[] = "BarState";
// The settings value that remembers that the first steps were shown.
const char s_szHintSection[] = "Settings";
const char s_szHintValue[] = "FirstRunHint";
// The first steps page is small; more is not read.
constexpr qint64 s_nWelcomeMax = 256 * 1024;
// The link library's device override: the variable itself and one per port (its name and the port).
const char s_szDeviceVariable[] = "SLPV24_DEVICE";

// The application's transfer commands of the menu commands.
struct CTransferRow
{
    unsigned nCommand;
    int (CApp::*pfnDo)();
};
const CTransferRow s_transfers[] = {
    {ID_FILE_RX_CFG, &CApp::DoRxCfg},
    {ID_FILE_TX_CFG, &CApp::DoTxCfg},
    {ID_FILE_RX_DIALNAME, &CApp::DoRxDialName},
    {ID_FILE_TX_DIALNAME, &CApp::DoTxDialName},
};

QString Tip(unsigned nCommand, int nMax)
{
    return CUi_Texts::FromCp1252(CMainFrame::CommandTip(CData_UiText(nCommand), nMax));
}
} // namespace

CMainFrame::CMainFrame(CApp& app, QWidget* pParent) : QMainWindow(pParent), m_app(app)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(CUi_Icons::ProgramIcon());
    ConnectApp();
}

CMainFrame::~CMainFrame()
{
    DisconnectApp();
}

// ---- The rules --------------------------------------------------------------------------------

std::string CMainFrame::CountText(const std::string& format, int nCount)
{
    const std::string number = std::to_string(nCount);
    const size_t nZero = format.find('0');
    if (nZero == std::string::npos)
        return number;
    return format.substr(0, nZero) + number;
}

std::string CMainFrame::CommandTip(const std::string& text, int nMax)
{
    const size_t nLf = text.find('\n');
    if (nLf == std::string::npos)
        return std::string();
    std::string tip = text.substr(nLf + 1);
    if (nMax > 0 && tip.size() > static_cast<size_t>(nMax))
        tip.resize(static_cast<size_t>(nMax));
    return tip;
}

std::string CMainFrame::SimulationTitle(const std::string& title)
{
    if (title.find(SIMULATION_MARK) != std::string::npos)
        return title;
    return title + SIMULATION_MARK;
}

// ---- The application's side ---------------------------------------------------------------------

void CMainFrame::ConnectApp()
{
    // The application object reaches the window as its main window, the view (once the window
    // is created) as its view.
    m_app.SetMainWindow(this);
}

void CMainFrame::DisconnectApp()
{
    if (&m_app.MainWindow() == this)
    {
        m_app.SetMainWindow(nullptr);
        if (m_pView)
            m_app.SetView(nullptr);
    }
}

void CMainFrame::ShowMinimized()
{
    showMinimized();
}

void CMainFrame::ShowNormal()
{
    showNormal();
}

std::string CMainFrame::Title() const
{
    return CUi_Texts::ToCp1252(windowTitle());
}

void CMainFrame::SetTitle(const std::string& title)
{
    CApp_MainWindow::SetTitle(title);
    setWindowTitle(CUi_Texts::FromCp1252(title));
}

void CMainFrame::Destroy()
{
    CApp_MainWindow::Destroy();
    if (m_bCreated)
        StoreWindowState();
    hide();
}

void CMainFrame::PostQuit(int nExitCode)
{
    CApp_MainWindow::PostQuit(nExitCode);
    // The loop may not run yet (an unattended run ends inside start-up): the quit waits for it.
    QTimer::singleShot(0, qApp, [nExitCode] { QCoreApplication::exit(nExitCode); });
}

void CMainFrame::AcceptDroppedFiles()
{
    setAcceptDrops(true);
}

void CMainFrame::InitialUpdateFrame()
{
    if (!m_bCreated)
        Create();
    m_pView->OnInitialUpdate();
    UpdateFrameTitle();
    // A new page set comes with new properties: the port pane shows or hides and names the link.
    SetPortPane(m_app.StatusPaneText());
    UpdateCommandUI();
    if (!isVisible() && !Destroyed())
        show();
}

// ---- Creation -----------------------------------------------------------------------------------

bool CMainFrame::RoleShows(unsigned nRoles) const
{
    const CData_Brand& brand = m_app.Brand();
    return ((nRoles & FOR_CFG) && brand.m_bAppCfg) || ((nRoles & FOR_DIALNAME) && brand.m_bAppDialName);
}

void CMainFrame::Create()
{
    m_bCreated = true;
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_pView = new CR740CfView(m_app, this);
    setCentralWidget(m_pView);
    m_app.SetView(m_pView);
    connect(m_pView, &CR740CfView::CommandRequested, this, [this](unsigned n) { OnCommand(n); });
    connect(m_pView, &CR740CfView::PinResetRequested, this,
            [this]
            {
                m_app.DoTxPinReset();
                UpdateCommandUI();
            });
    connect(m_pView, &CR740CfView::TitleChanged, this, &CMainFrame::UpdateFrameTitle);
    connect(m_pView, &CR740CfView::CountChanged, this, &CMainFrame::SetCountPane);
    connect(m_pView, &CR740CfView::StateChanged, this,
            [this]
            {
                SetPortPane(m_app.StatusPaneText());
                UpdateCommandUI();
            });
    connect(m_pView, &CR740CfView::HelpRequested, this, [this](unsigned n) { m_app.OnHelpTemplate(n); });

    // Place and size from the settings, never below the brand's minimum.
    const CData_Brand& brand = m_app.Brand();
    setMinimumSize(brand.m_nFrameMinDx, brand.m_nFrameMinDy);
    resize(std::max(m_app.m_nDX, brand.m_nFrameMinDx), std::max(m_app.m_nDY, brand.m_nFrameMinDy));
    move(m_app.m_nX, m_app.m_nY);
    ApplyFrameStyle();
    RestoreBarState();
    // The popup texts of menu 110.
    CUi_Texts::ApplyDialog(this, IDR_MAINFRAME);
}

void CMainFrame::CreateActions()
{
    for (const CCommandRow& row : s_commands)
    {
        if (row.nCommand == SEPARATOR || row.nCommand == RECENT_FILES || !RoleShows(row.nRoles))
            continue;
        auto* pAction = new QAction(QString::fromLatin1(row.pszText), this);
        CUi_Texts::SetCommand(pAction, row.nCommand);
        pAction->setIcon(CUi_Icons::Icon(row.nCommand));
        if (row.pszShortcut)
            pAction->setShortcut(QKeySequence(QString::fromLatin1(row.pszShortcut)));
        const QString tip = Tip(row.nCommand, TOOLTIP_MAX);
        pAction->setToolTip(
            tip.isEmpty() ? pAction->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) : tip);
        pAction->setStatusTip(Tip(row.nCommand, 0));
        const unsigned nCommand = row.nCommand;
        connect(pAction, &QAction::triggered, this, [this, nCommand] { OnCommand(nCommand); });
        if (row.menu == MENU_NONE)
            addAction(pAction);
        m_actions[row.nCommand] = pAction;
    }
    for (unsigned n : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
        if (QAction* pAction = Action(n))
            pAction->setCheckable(true);
    // Filling the phonebook with test entries is for traced runs (the developers' and the service's).
    if (QAction* pAction = Action(ID_FILE_DEBUG_DIALNAME_FILL))
        pAction->setVisible(TraceIsOn());
    for (int i = 0; i < CApp::RECENT_FILE_COUNT; ++i)
    {
        auto* pAction = new QAction(this);
        CUi_Texts::SetCommand(pAction, ID_FILE_MRU_FILE1 + static_cast<unsigned>(i));
        pAction->setStatusTip(Tip(ID_FILE_MRU_FILE1 + static_cast<unsigned>(i), 0));
        connect(pAction, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        m_apRecent[i] = pAction;
    }
}

void CMainFrame::CreateMenus()
{
    QMenu* apMenus[MENU_NONE] = {};
    for (int i = 0; i < MENU_NONE; ++i)
    {
        apMenus[i] = menuBar()->addMenu(QString::fromLatin1(s_apszMenus[i]));
        QMenu* pMenu = apMenus[i];
        connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { OnMenuAboutToShow(pMenu); });
    }
    for (const CCommandRow& row : s_commands)
    {
        if (row.menu == MENU_NONE || !RoleShows(row.nRoles))
            continue;
        QMenu* pMenu = apMenus[row.menu];
        if (row.nCommand == SEPARATOR)
            pMenu->addSeparator();
        else if (row.nCommand == RECENT_FILES)
            for (QAction* pAction : m_apRecent)
                pMenu->addAction(pAction);
        else if (QAction* pAction = Action(row.nCommand))
            pMenu->addAction(pAction);
    }
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    EMenu lastMenu = MENU_FILE;
    for (const CCommandRow& row : s_commands)
    {
        if (!row.bToolBar || !RoleShows(row.nRoles))
            continue;
        if (row.menu != lastMenu && !m_pToolBar->actions().isEmpty())
            m_pToolBar->addSeparator();
        lastMenu = row.menu;
        m_pToolBar->addAction(Action(row.nCommand));
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* pBar = statusBar();
    m_pIdle = new QLabel(CPp_Page::UiText(AFX_IDS_IDLEMESSAGE, "Ready"), pBar);
    pBar->addWidget(m_pIdle, 1);
    m_pCount = new QLabel(pBar);
    m_pCount->setObjectName(QStringLiteral("CountPane"));
    m_pCount->setFrameShape(QFrame::Panel);
    m_pCount->setFrameShadow(QFrame::Sunken);
    m_pCount->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    m_pCount->setAlignment(Qt::AlignCenter);
    m_pCount->setAccessibleName(QStringLiteral("Phonebook entries"));
    m_pPort = new QLabel(pBar);
    m_pPort->setObjectName(QStringLiteral("PortPane"));
    m_pPort->setFrameShape(QFrame::Panel);
    m_pPort->setFrameShadow(QFrame::Sunken);
    m_pPort->setAccessibleName(QStringLiteral("Connection"));
    pBar->addPermanentWidget(m_pCount);
    pBar->addPermanentWidget(m_pPort);
    // The count pane exists in the phonebook role only.
    m_pCount->setVisible(m_app.Brand().m_bAppDialName);
    m_pPort->setVisible(false);
}

void CMainFrame::RestoreBarState()
{
    CPlatform_Settings* pSettings = m_app.Settings();
    int nToolBar = 1;
    int nStatusBar = 1;
    if (pSettings)
    {
        pSettings->GetInt(s_szBarState, "ToolBar", nToolBar);
        pSettings->GetInt(s_szBarState, "StatusBar", nStatusBar);
    }
    m_pToolBar->setVisible(nToolBar != 0);
    statusBar()->setVisible(nStatusBar != 0);
}

void CMainFrame::StoreWindowState()
{
    // The place of the window with its frame and the size of what it shows, as they are restored.
    const QRect rect = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
    m_app.m_nX = rect.x();
    m_app.m_nY = rect.y();
    m_app.m_nDX = rect.width();
    m_app.m_nDY = rect.height();
    if (CPlatform_Settings* pSettings = m_app.Settings())
    {
        pSettings->SetInt(s_szBarState, "ToolBar", m_pToolBar && !m_pToolBar->isHidden() ? 1 : 0);
        pSettings->SetInt(s_szBarState, "StatusBar", statusBar()->isHidden() ? 0 : 1);
    }
}

// ---- Window events ------------------------------------------------------------------------------

void CMainFrame::ApplyFrameStyle()
{
    // Phone types with a fixed window: no sizing border, no maximise box.
    const bool bFixed = CData_Properties::Current().m_bFixedSizeWindow;
    if (bFixed == m_bFixedStyle)
        return;
    m_bFixedStyle = bFixed;
    const bool bVisible = isVisible();
    if (bFixed)
        setFixedSize(size());
    else
    {
        setMinimumSize(m_app.Brand().m_nFrameMinDx, m_app.Brand().m_nFrameMinDy);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    setWindowFlag(Qt::WindowMaximizeButtonHint, !bFixed);
    if (bVisible)
        show();
}

void CMainFrame::ApplySimulationTitle()
{
    if (!m_app.Simulation())
        return;
    const std::string title = Title();
    const std::string marked = SimulationTitle(title);
    if (marked != title)
        SetTitle(marked);
}

void CMainFrame::moveEvent(QMoveEvent* pEvent)
{
    QMainWindow::moveEvent(pEvent);
    ApplyFrameStyle();
    ApplySimulationTitle();
}

void CMainFrame::focusInEvent(QFocusEvent* pEvent)
{
    QMainWindow::focusInEvent(pEvent);
    if (m_pView)
        m_pView->setFocus();
    else
        TraceLine(s_szClass, "OnSetFocus() GetActiveView()==NULL");
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    if (!Destroyed())
    {
        CR740CfDoc* pDoc = m_app.Document();
        if (pDoc && !pDoc->SaveModified())
        {
            pEvent->ignore();
            return;
        }
        if (m_bCreated)
            StoreWindowState();
    }
    pEvent->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent)
{
    const QList<QUrl> urls = pEvent->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        pEvent->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* pEvent)
{
    const QList<QUrl> urls = pEvent->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    pEvent->acceptProposedAction();
    // A dropped file opens as File Open of the framework would open it.
    const QByteArray path = QFile::encodeName(urls.first().toLocalFile());
    if (CR740CfDoc* pDoc = m_app.Document())
        pDoc->OpenDocumentFile(std::string(path.constData(), static_cast<size_t>(path.size())));
    UpdateFrameTitle();
    UpdateCommandUI();
}

void CMainFrame::OnMenuAboutToShow(QMenu* pMenu)
{
    TraceLine(s_szClass, "OnInitMenuPopup()");
    UpdateRecentFiles();
    CUi_Texts::ApplyMenu(pMenu, [this](QAction*) {});
    UpdateCommandUI();
}

// ---- Commands -----------------------------------------------------------------------------------

QAction* CMainFrame::Action(unsigned nCommand) const
{
    const auto it = m_actions.find(nCommand);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateCommandUI()
{
    CUi_CommandState state;
    state.bDialNamePage = m_pView && m_pView->ActiveDialNamePage();
    state.nDialNameEntries = m_app.HasContainers() ? m_app.DocData().m_DialName.Count() : 0;
    state.bPabxLine = m_app.m_bPabxLine;
    state.bMayRead = m_app.CommandLine().m_bMayRead;
    state.bMayUpdate = m_app.CommandLine().m_bMayUpdateFirmware;
    const CData_Properties& props = CData_Properties::Current();
    for (const auto& entry : m_actions)
        entry.second->setEnabled(CUi_Commands::Enabled(entry.first, state, props));
    if (QAction* pAction = Action(ID_VIEW_TOOLBAR))
        pAction->setChecked(m_pToolBar && !m_pToolBar->isHidden());
    if (QAction* pAction = Action(ID_VIEW_STATUS_BAR))
        pAction->setChecked(!statusBar()->isHidden());
}

int CMainFrame::OnCommand(unsigned nCommand)
{
    QAction* pAction = Action(nCommand);
    UpdateCommandUI();
    if (pAction && !pAction->isEnabled())
        return 0;
    CR740CfDoc* pDoc = m_app.Document();
    // The phonebook commands act on the active phonebook page only.
    CPpS_DialName* pDialName = m_pView ? m_pView->ActiveDialNamePage() : nullptr;
    const bool bDialName = pDialName != nullptr;
    switch (nCommand)
    {
    case ID_FILE_NEW:
        if (pDoc)
            pDoc->OnFileNew();
        break;
    case ID_FILE_OPEN:
        if (pDoc)
            pDoc->OnFileOpen();
        break;
    case ID_FILE_SAVE:
        if (pDoc)
            pDoc->OnFileSave();
        break;
    case ID_FILE_SAVE_AS:
        if (pDoc)
            pDoc->OnFileSaveAs();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_FILE_RX_CFG:
    case ID_FILE_TX_CFG:
    case ID_FILE_RX_DIALNAME:
    case ID_FILE_TX_DIALNAME:
        RunTransfer(nCommand);
        break;
    case ID_DIALNAME_NEW:
        if (bDialName)
            pDialName->OnNew();
        break;
    case ID_DIALNAME_EDIT:
        if (bDialName)
            pDialName->OnEdit();
        break;
    case ID_DIALNAME_DELETE:
        if (bDialName)
            pDialName->OnDelete();
        break;
    case ID_DIALNAME_FIND:
        if (bDialName)
            pDialName->OnFind();
        break;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(m_pToolBar->isHidden());
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case ID_FILE_IMPORT_DIALNAME:
        CUi_PhonebookCommands::ImportText(this, m_app);
        break;
    case ID_FILE_IMPORT_DIALNAME_EX:
        CUi_PhonebookCommands::ImportTextEx(this, m_app);
        break;
    case ID_FILE_IMPORT_VCARD:
        CUi_PhonebookCommands::ImportVCard(this, m_app);
        break;
    case ID_FILE_EXPORT_DIALNAME:
        CUi_PhonebookCommands::Export(this, m_app);
        break;
    case ID_FILE_DEBUG_DIALNAME_FILL:
        CUi_PhonebookCommands::DebugFill(m_app);
        break;
    case ID_DIALNAME_PREFIX:
        if (bDialName)
            CUi_PhonebookCommands::Prefix(this, m_app);
        break;
    case ID_FILE_PRINT:
        m_app.MoveDataViewToDoc();
        CUi_Print::PrintPhonebook(this, m_app);
        break;
    case ID_FILE_PRINT_PREVIEW:
        m_app.MoveDataViewToDoc();
        CUi_Print::PrintPreview(this, m_app);
        break;
    case ID_FILE_PRINT_SETUP:
        CUi_Print::PrintSetup(this);
        break;
    case ID_APP_ABOUT:
    {
        CDlg_About about(&m_app.DocData().m_Version, this);
        about.exec();
        break;
    }
    case ID_HELP_FINDER:
        m_app.OnHelpOwn();
        break;
    case ID_HELP:
        // F1: the help of the page in front.
        if (m_pView && m_pView->ActivePage())
            m_app.OnHelpTemplate(m_pView->ActivePage()->TemplateNumber());
        else
            m_app.OnHelpOwn();
        break;
    case ID_CONTEXT_HELP:
        QWhatsThis::enterWhatsThisMode();
        break;
    default:
        return 0;
    }
    UpdateFrameTitle();
    UpdateCommandUI();
    return 1;
}

void CMainFrame::RunTransfer(unsigned nCommand)
{
    for (const CTransferRow& row : s_transfers)
        if (row.nCommand == nCommand)
            (m_app.*row.pfnDo)();
}

void CMainFrame::OpenHelp(const std::string& path, int nContext)
{
    CApp_MainWindow::OpenHelp(path, nContext);
    ShowHelpPage(path, QString());
}

CUi_HelpViewer* CMainFrame::HelpViewer() const
{
    return m_pHelp.data();
}

int CMainFrame::ShowHelpPage(const std::string& path, const QString& html)
{
    // A modal dialog blocks every window but its own: the help of a dialog belongs to it.
    QWidget* pOwner = QApplication::activeModalWidget();
    if (!pOwner)
        pOwner = this;
    if (m_pHelp && m_pHelp->parentWidget() != pOwner)
        m_pHelp->close();
    CUi_HelpViewer* pViewer = m_pHelp;
    if (!pViewer)
        pViewer = new CUi_HelpViewer(pOwner);
    if (!pViewer->ShowPage(path, html))
    {
        if (pViewer != m_pHelp)
            delete pViewer;
        CUi_Beep::Error();
        return 0;
    }
    m_pHelp = pViewer;
    const bool bPlace = !pViewer->isVisible();
    QRect screen;
    if (const QScreen* pScreen = pOwner->screen())
        screen = pScreen->availableGeometry();
    if (bPlace)
    {
        // Beside its owner, where it hides nothing of the page it explains; on a screen too small
        // for both, at the screen's right edge, covering as little of the owner as it can.
        const QRect owner = pOwner->frameGeometry();
        int nX = owner.right() + 1;
        if (screen.isValid() && nX + pViewer->width() > screen.right() + 1)
            nX = std::max(screen.left(), screen.right() + 1 - pViewer->width());
        pViewer->move(nX, owner.top() + owner.height() / 8);
    }
    pViewer->show();
    // Its frame is known once shown.
    const int nOver = pViewer->frameGeometry().right() - screen.right();
    if (bPlace && screen.isValid() && nOver > 0)
        pViewer->move(std::max(screen.left(), pViewer->x() - nOver), pViewer->y());
    pViewer->raise();
    pViewer->activateWindow();
    return 1;
}

std::string CMainFrame::LinkOverride()
{
    std::string text;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QStringList names = env.keys();
    names.sort();
    for (const QString& name : names)
    {
        if (!name.startsWith(QLatin1String(s_szDeviceVariable)) || env.value(name).isEmpty())
            continue;
        if (!text.empty())
            text += ", ";
        text += (name + QLatin1Char('=') + env.value(name)).toLocal8Bit().toStdString();
    }
    return text;
}

int CMainFrame::ShowFirstRunHint()
{
    CPlatform_Settings* pSettings = m_app.Settings();
    int nShown = 0;
    if (!pSettings || m_app.PabxMode() || Destroyed() ||
        (pSettings->GetInt(s_szHintSection, s_szHintValue, nShown) && nShown))
        return 0;
    const CLang_Info* pLangInfo = m_app.LangInfo();
    const std::string path = pLangInfo ? pLangInfo->HelpPagePath(CLang_Help::WELCOME_PAGE) : std::string();
    QFile file(QFile::decodeName(path.c_str()));
    if (path.empty() || !file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray page = file.read(s_nWelcomeMax);
    const std::string filled = CLang_Help::FillWelcome(
        std::string(page.constData(), static_cast<size_t>(page.size())), LinkOverride());
    if (!ShowHelpPage(path, QString::fromUtf8(filled.data(), static_cast<qsizetype>(filled.size()))))
        return 0;
    pSettings->SetInt(s_szHintSection, s_szHintValue, 1);
    pSettings->Sync();
    return 1;
}

void CMainFrame::UpdateRecentFiles()
{
    const std::vector<std::string>& files = m_app.RecentFiles();
    for (int i = 0; i < CApp::RECENT_FILE_COUNT; ++i)
    {
        QAction* pAction = m_apRecent[i];
        const bool bUsed = static_cast<size_t>(i) < files.size();
        pAction->setVisible(bUsed);
        if (bUsed)
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QFileInfo(QFile::decodeName(files[static_cast<size_t>(i)].c_str())).fileName()));
    }
}

void CMainFrame::OpenRecentFile(int nIndex)
{
    const std::vector<std::string>& files = m_app.RecentFiles();
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= files.size())
        return;
    const std::string path = files[static_cast<size_t>(nIndex)];
    if (CR740CfDoc* pDoc = m_app.Document())
        pDoc->OpenDocumentFile(path);
    UpdateFrameTitle();
    UpdateCommandUI();
}

// ---- Title and status bar -----------------------------------------------------------------------

void CMainFrame::UpdateFrameTitle()
{
    // The program's name is the first line of the document string.
    const std::string program = CR740CfDoc::DocStringLine(0);
    const CR740CfDoc* pDoc = m_app.Document();
    const std::string docTitle = pDoc ? pDoc->Title() : std::string();
    SetTitle(docTitle.empty() ? program : docTitle + " - " + program);
    ApplySimulationTitle();
}

void CMainFrame::SetCountPane(int nEntries)
{
    if (m_pCount)
        m_pCount->setText(CUi_Texts::FromCp1252(CountText(CData_UiText(ID_INDICATOR_COUNT), nEntries)));
}

void CMainFrame::SetPortPane(const std::string& text)
{
    CApp_MainWindow::SetPortPane(text);
    if (!m_pPort)
        return;
    m_pPort->setText(CUi_Texts::FromCp1252(text));
    m_pPort->setVisible(CData_Properties::Current().m_bConnectionPane);
}

QString CMainFrame::CountPaneText() const
{
    return m_pCount ? m_pCount->text() : QString();
}

QString CMainFrame::PortPaneText() const
{
    return m_pPort ? m_pPort->text() : QString();
}

bool CMainFrame::CountPaneShown() const
{
    return m_pCount && !m_pCount->isHidden();
}

bool CMainFrame::PortPaneShown() const
{
    return m_pPort && !m_pPort->isHidden();
}
