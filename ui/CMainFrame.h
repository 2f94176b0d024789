#pragma once

// The main window: the view with its property sheet, the menus, the toolbar and the status bar.
// It runs the commands of the menus, the toolbar and the pages, enables them by their rules
// (CUi_Commands), puts the interface texts into its menus, tooltips and status messages, keeps its
// place and size and its bars between runs, and is the application object's main window
// (CApp_MainWindow). Traces under "MainFrm".
//
// The window is created at the document's first initial update, when the brand data (role,
// minimum size) and the settings (position) are known.

#include "shell/CApp_MainWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <string>

class CApp;
class CR740CfView;
class CUi_HelpViewer;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow, public CApp_MainWindow
{
    Q_OBJECT

public:
    // The resource number of the menu, toolbar and document string.
    static constexpr unsigned IDR_MAINFRAME = 110;
    // What a tooltip shows at the most.
    static constexpr int TOOLTIP_MAX = 80;
    // The title's mark of a simulation run.
    static constexpr const char* SIMULATION_MARK = "  SIMULATION";

    explicit CMainFrame(CApp& app, QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // ---- CApp_MainWindow ----
    void ShowMinimized() override;
    void ShowNormal() override;
    std::string Title() const override;
    void SetTitle(const std::string& title) override;
    void Destroy() override;
    void PostQuit(int nExitCode) override;
    void AcceptDroppedFiles() override;
    void InitialUpdateFrame() override;
    // The status bar's port pane; shown where the phone type's properties want it.
    void SetPortPane(const std::string& text) override;
    // The help page (a "#" and the place on it may follow) in the help window; a beep when the
    // page does not exist.
    void OpenHelp(const std::string& helpFile, int nContext) override;
    // The help window while it is open.
    CUi_HelpViewer* HelpViewer() const;

    // The first steps, shown in the help window at the first interactive start only (the settings
    // remember it). 1 when shown.
    int ShowFirstRunHint();
    // Where the link goes instead of the telephone's port ("SLPV24_DEVICE=..." of the link
    // library's overrides in the environment); empty when nothing is overridden.
    static std::string LinkOverride();

    CR740CfView* View() const { return m_pView; }
    // Runs a command by its number (menus, toolbar, pages); 0 when it is not enabled.
    int OnCommand(unsigned nCommand);
    // The action of a command (menus and toolbar share it); nullptr when there is none.
    QAction* Action(unsigned nCommand) const;
    // Enables and checks every command by its rule.
    void UpdateCommandUI();
    // The title from the document's and the program's names (and the simulation mark).
    void UpdateFrameTitle();

    // The texts the status bar's panes show.
    QString CountPaneText() const;
    QString PortPaneText() const;
    bool CountPaneShown() const;
    bool PortPaneShown() const;

    // ---- The rules, without a window ----
    // The count pane's text: the number at the place of the first "0" of the string (everything
    // after it dropped); with no "0" the number alone.
    static std::string CountText(const std::string& format, int nCount);
    // A command's tooltip and status message: its string's part after the first line feed,
    // nMax characters at the most (0: no limit); empty without a line feed.
    static std::string CommandTip(const std::string& text, int nMax = 0);
    // The title with the simulation mark appended once.
    static std::string SimulationTitle(const std::string& title);

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void Create();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectApp();
    void DisconnectApp();
    void ApplyFrameStyle();
    void ApplySimulationTitle();
    void StoreWindowState();
    void RestoreBarState();
    void UpdateRecentFiles();
    void OnMenuAboutToShow(QMenu* pMenu);
    // Shows a help page (html in place of the file's text when not empty); 0 and a beep when the
    // page does not exist.
    int ShowHelpPage(const std::string& path, const QString& html);
    void SetCountPane(int nEntries);
    void RunTransfer(unsigned nCommand);
    void OpenRecentFile(int nIndex);
    bool RoleShows(unsigned nRoles) const;

    CApp& m_app;
    CR740CfView* m_pView = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pIdle = nullptr;
    QLabel* m_pCount = nullptr;
    QLabel* m_pPort = nullptr;
    std::map<unsigned, QAction*> m_actions;
    QAction* m_apRecent[4] = {};
    bool m_bCreated = false;
    bool m_bFixedStyle = false;
    QPointer<CUi_HelpViewer> m_pHelp;
};
