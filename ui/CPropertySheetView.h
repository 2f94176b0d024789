#pragma once

// The property sheet of the view: a tab widget that fills the view, one tab per page. Changing
// the tab stores the page that is left (its deactivation) and loads the page that is entered (its
// activation), so that only the active page ever holds values that are not yet in the document.

#include <QTabWidget>

class CPp_Page;

class CPropertySheetView : public QTabWidget
{
    Q_OBJECT

public:
    explicit CPropertySheetView(QWidget* pParent = nullptr);

    // Adds a page with its tab caption; gives its index.
    int AddPage(CPp_Page* pPage, const QString& caption);
    // Removes and destroys the pages from nIndex on. The active page among them is stored first;
    // when it goes, the page before the first removed one becomes active.
    void RemovePagesFrom(int nIndex);

    CPp_Page* Page(int nIndex) const;
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

    CPp_Page* m_pActive = nullptr;
    bool m_bSwitching = false;
};
