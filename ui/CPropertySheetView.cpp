#include "ui/CPropertySheetView.h"

#include "ui/CPp_Page.h"

#include <QKeyEvent>
#include <QTabBar>

CPropertySheetView::CPropertySheetView(QWidget* pParent) : QTabWidget(pParent)
{
    setAccessibleName(QStringLiteral("Property sheet"));
    setUsesScrollButtons(true);
    tabBar()->setExpanding(false);
    connect(this, &QTabWidget::currentChanged, this, &CPropertySheetView::OnCurrentChanged);
}

int CPropertySheetView::AddPage(CPp_Page* pPage, const QString& caption)
{
    const QSignalBlocker block(this);
    const int nIndex = addTab(pPage, caption);
    pPage->setAccessibleName(caption);
    return nIndex;
}

CPp_Page* CPropertySheetView::Page(int nIndex) const
{
    return qobject_cast<CPp_Page*>(widget(nIndex));
}

int CPropertySheetView::ActiveIndex() const
{
    return m_pActive ? indexOf(m_pActive) : -1;
}

void CPropertySheetView::RemovePagesFrom(int nIndex)
{
    if (nIndex < 0)
        nIndex = 0;
    const bool bActiveGoes = m_pActive && indexOf(m_pActive) >= nIndex;
    if (bActiveGoes)
    {
        m_pActive->OnKillActive();
        m_pActive = nullptr;
    }
    {
        const QSignalBlocker block(this);
        while (count() > nIndex)
        {
            QWidget* pPage = widget(count() - 1);
            removeTab(count() - 1);
            delete pPage;
        }
    }
    if (bActiveGoes && count() > 0)
        SetActivePage(nIndex > 0 ? nIndex - 1 : 0);
}

void CPropertySheetView::SetActivePage(int nIndex, bool bReload)
{
    CPp_Page* pPage = Page(nIndex);
    if (!pPage)
        return;
    if (pPage == m_pActive)
    {
        if (bReload)
            pPage->OnSetActive();
        return;
    }
    if (currentIndex() != nIndex)
        setCurrentIndex(nIndex); // OnCurrentChanged does the rest
    else
        OnCurrentChanged(nIndex);
}

void CPropertySheetView::OnCurrentChanged(int nIndex)
{
    if (m_bSwitching)
        return;
    CPp_Page* pPage = Page(nIndex);
    if (pPage == m_pActive)
        return;
    m_bSwitching = true;
    if (m_pActive)
        m_pActive->OnKillActive();
    m_pActive = pPage;
    if (m_pActive)
        m_pActive->OnSetActive();
    m_bSwitching = false;
    emit ActivePageChanged(nIndex);
}

void CPropertySheetView::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_F1 && !(pEvent->modifiers() & Qt::ShiftModifier))
    {
        emit HelpRequested(m_pActive ? m_pActive->TemplateNumber() : 0);
        return;
    }
    QTabWidget::keyPressEvent(pEvent);
}
