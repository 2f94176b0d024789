#pragma once

// The document's view: one property sheet that fills it, with a page per area of settings. Which
// pages exist follows the program's role, the feature properties of the phone type and the
// modules the configuration reports; OnInitialUpdate builds them anew for every new or opened
// document, BuildVariablePages rebuilds the pages that depend on the phone type and its modules
// without touching the fixed ones. A page is built when its tab is first shown (or when a caller
// asks the sheet for it): the window shows without waiting for pages the user may never open.
// The view moves the active page's values between its controls
// and the document (MoveDataDocToView, MoveDataViewToDoc). Traces under "View".

#include "shell/CApp_View.h"

#include <QWidget>

#include <array>

class CApp;
class CPp_Page;
class CPpS_DialName;
class CPropertySheetView;

class CR740CfView : public QWidget, public CApp_View
{
    Q_OBJECT

public:
    // Room of the page table.
    static constexpr int PAGE_MAX = 20;
    // The fixed pages of the configuration role (tab indices 0 to 7).
    static constexpr int CFG_PAGE_COUNT = 8;
    // The pay-counter page is always the eighth.
    static constexpr int PAYCOUNTER_INDEX = 7;
    // Captions of the three module pages.
    static constexpr unsigned IDS_MODULE_1 = 390;

    // The pages other parts activate by their role.
    enum EPageRole
    {
        ROLE_ALARMCALL,
        ROLE_ANSWERMACHINE,
        ROLE_MESSAGING,
        ROLE_UPDATE,
        ROLE_MODULE_1,
        ROLE_MODULE_2,
        ROLE_MODULE_3,
        ROLE_COMM,
        ROLE_PAYCOUNTER,
        ROLE_DIALNAME,
        ROLE_COUNT
    };

    explicit CR740CfView(CApp& app, QWidget* pParent = nullptr);
    ~CR740CfView() override;

    // Destroys the pages of the previous document and builds the pages for the current one; the
    // first page becomes active and shows the document.
    void OnInitialUpdate();
    // The variable pages: from the first variable index on, the pages are removed and added
    // again for the current properties and modules; the communication page comes last.
    void BuildVariablePages();

    // ---- CApp_View ----
    // The active page reloads its controls from the document / stores them into it.
    void MoveDataDocToView() override;
    void MoveDataViewToDoc() override;
    // The properties changed: the active page shows and enables its controls anew.
    void RefreshPages() override;
    void ActivateFirstPage() override;

    CPropertySheetView* Sheet() const { return m_pSheet; }
    CPp_Page* ActivePage() const;
    int ActiveIndex() const;
    void SetActivePage(int nIndex);
    int PageCount() const;
    // The tab index of a page by its role; -1 when the page does not exist.
    int PageIndex(EPageRole role) const;
    // The phonebook page, when it exists (built now when it was not yet).
    CPpS_DialName* DialNamePage() const;
    // The phonebook page when it is the active page (the phonebook commands act on it only).
    CPpS_DialName* ActiveDialNamePage() const;

    // A page class by its name ("CPpS_CallFilter", ...) over the container; nullptr for an
    // unknown name. The view adds only the pages its rules name; the others can be made this way.
    static CPp_Page* CreatePage(const std::string& className, CApp& app, QWidget* pParent = nullptr);

signals:
    // A command of the main window started from a page (the link page's receive and send).
    void CommandRequested(unsigned nCommand);
    // The PIN reset of the basic page.
    void PinResetRequested();
    // The phone type changed: the window title follows.
    void TitleChanged();
    // The phonebook's number of entries (count pane).
    void CountChanged(int nEntries);
    // Something the status bar or the commands show may have changed.
    void StateChanged();
    void HelpRequested(unsigned nTemplate);

protected:
    // The focus goes on to the sheet (and from there to the active page).
    void focusInEvent(QFocusEvent* pEvent) override;

private:
    // Adds the tab of a page of class T (made with the application, args and its parent), which
    // is built when it is first shown; its caption is the one given, else the template's caption
    // from the interface texts, else the page's own.
    template <class T, class... Args>
    int Add(EPageRole role = ROLE_COUNT, const QString& caption = QString(), Args... args);
    // A page was built for tab nIndex.
    void PageBuilt(CPp_Page* pPage, int nIndex, const QString& caption);
    void ConnectPage(CPp_Page* pPage);
    void OnPhoneTypeChosen(int nPhoneType);
    void OnModulesChanged();
    int FirstVariableIndex() const;

    CApp& m_app;
    CPropertySheetView* m_pSheet = nullptr;
    std::array<CPp_Page*, PAGE_MAX> m_apPages{};
    std::array<int, ROLE_COUNT> m_anIndex{};
};
