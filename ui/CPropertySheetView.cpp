#include "ui/CPropertySheetView.h"

#include "ui/CPp_Page.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace
{
// A tab's place for its page: empty until the page is built, then filled by it.
class CPageSlot : public QWidget
{
public:
    CPageSlot(CPropertySheetView::PageMaker make, QWidget* pParent)
        : QWidget(pParent), m_make(std::move(make))
    {
        auto* pLayout = new QVBoxLayout(this);
        pLayout->setContentsMargins(0, 0, 0, 0);
    }

    CPp_Page* Page() const { return m_pPage; }

    CPp_Page* Build(const QString& caption)
    {
        if (m_pPage || !m_make)
            return m_pPage;
        // Made once: a maker that gives nothing leaves the slot empty for good.
        const CPropertySheetView::PageMaker make = std::move(m_make);
        m_make = nullptr;
        m_pPage = make(this);
        if (!m_pPage)
            return nullptr;
        m_pPage->setAccessibleName(caption);
        layout()->addWidget(m_pPage);
        // A layout shows a new child of a visible widget only later: the page entered is shown
        // and laid out now, before it is loaded.
        if (isVisible())
        {
            m_pPage->show();
            layout()->activate();
        }
        return m_pPage;
    }

private:
    CPropertySheetView::PageMaker m_make;
    CPp_Page* m_pPage = nullptr;
};

CPageSlot* Slot(const QTabWidget* pSheet, int nIndex)
{
    return dynamic_cast<CPageSlot*>(pSheet->widget(nIndex));
}
} // namespace

CPropertySheetView::CPropertySheetView(QWidget* pParent) : QTabWidget(pParent)
{
    setAccessibleName(QStringLiteral("Property sheet"));
    setUsesScrollButtons(true);
    tabBar()->setExpanding(false);
    connect(this, &QTabWidget::currentChanged, this, &CPropertySheetView::OnCurrentChanged);
}

int CPropertySheetView::AddPage(PageMaker make, const QString& caption)
{
    const QSignalBlocker block(this);
    return addTab(new CPageSlot(std::move(make), this), caption);
}

CPp_Page* CPropertySheetView::Page(int nIndex) const
{
    CPageSlot* pSlot = Slot(this, nIndex);
    return pSlot ? pSlot->Build(tabText(nIndex)) : nullptr;
}

CPp_Page* CPropertySheetView::BuiltPage(int nIndex) const
{
    const CPageSlot* pSlot = Slot(this, nIndex);
    return pSlot ? pSlot->Page() : nullptr;
}

int CPropertySheetView::IndexOf(const CPp_Page* pPage) const
{
    if (!pPage)
        return -1;
    for (int i = 0; i < count(); ++i)
        if (BuiltPage(i) == pPage)
            return i;
    return -1;
}

int CPropertySheetView::ActiveIndex() const
{
    return IndexOf(m_pActive);
}

void CPropertySheetView::RemovePagesFrom(int nIndex)
{
    if (nIndex < 0)
        nIndex = 0;
    const bool bActiveGoes = m_pActive && IndexOf(m_pActive) >= nIndex;
    if (bActiveGoes)
    {
        m_pActive->OnKillActive();
        m_pActive = nullptr;
    }
    {
        const QSignalBlocker block(this);
        while (count() > nIndex)
        {
            QWidget* pSlot = widget(count() - 1);
            removeTab(count() - 1);
            delete pSlot;
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
