#pragma once

// The property sheet of the view: a tab widget that fills the view, one tab per page. Changing
// the tab stores the page that is left (its deactivation) and loads the page that is entered (its
// activation), so that only the active page ever holds values that are not yet in the document.
//
// A page is built when it is first needed: when its tab is entered or when Page() asks for it.
// Until then its tab holds an empty slot, so that a window with many pages shows at once and a
// page the user never opens costs nothing. A page that was never built has never been loaded
// and so has nothing to store.

#include <QTabWidget>

#include <functional>

class CPp_Page;

class CPropertySheetView : public QTabWidget
{
    Q_OBJECT

public:
    // Builds a page as a child of pParent.
    using PageMaker = std::function<CPp_Page*(QWidget* pParent)>;

    explicit CPropertySheetView(QWidget* pParent = nullptr);

    // Adds a page with its tab caption, to be built by make when it is first needed; gives its
    // index.
    int AddPage(PageMaker make, const QString& caption);
    // Removes and destroys the pages from nIndex on. The active page among them is stored first;
    // when it goes, the page before the first removed one becomes active.
    void RemovePagesFrom(int nIndex);

    // The page of a tab, built now when it was not yet; nullptr when the maker gave none.
    CPp_Page* Page(int nIndex) const;
    // The page of a tab when it has been built; nullptr otherwise.
    CPp_Page* BuiltPage(int nIndex) const;
    CPp_Page* ActivePage() const { return m_pActive; }
    int ActiveIndex() const;
    // Makes a page the active one (storing the page left, loading the page entered); a page
    // that is already active is loaded again when bReload is set.
    void SetActivePage(int nIndex, bool bReload = false);

signals:
    void ActivePageChanged(int nIndex);
    // F1 on a page: help for that page's template.
    void HelpRequested(unsigned nTemplate);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void OnCurrentChanged(int nIndex);
    int IndexOf(const CPp_Page* pPage) const;

    CPp_Page* m_pActive = nullptr;
    bool m_bSwitching = false;
};
