#include "ui/CListCtrl_RepBar.h"

#include "support/Trace.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace
{
const char s_szClass[] = "CListCtrl_RepBar";
} // namespace

CListCtrl_RepBar::CListCtrl_RepBar(QWidget* pParent) : QTreeWidget(pParent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* pItem, int) { emit RowOpened(indexOfTopLevelItem(pItem)); });
}

int CListCtrl_RepBar::FitVisibleRows(int nClientHeight, int nRowHeight, int nEdge, int nFrame, int nTop,
                                     int nBottom, int nRows)
{
    if (nRowHeight <= 0 || nRows <= 0)
        return 1;
    const int nRoom = nClientHeight - 2 * nEdge - nFrame - nTop - nBottom;
    const int nWhole = nRoom / nRowHeight - 1; // the header takes one row
    return std::clamp(nWhole, 1, nRows);
}

int CListCtrl_RepBar::ListWidth(int nColumnSum, int nEdge, int nScrollBar, bool bAllVisible)
{
    return nColumnSum + 2 * nEdge + EXTRA + (bAllVisible ? 0 : nScrollBar);
}

int CListCtrl_RepBar::ListHeight(int nVisibleRows, int nRowHeight, int nEdge, int nFrame)
{
    return (nVisibleRows + 1) * nRowHeight + 2 * nEdge + nFrame + EXTRA;
}

int CListCtrl_RepBar::RowHeight() const
{
    const int nFont = fontMetrics().height();
    // Qt's rows are somewhat taller than the font; use what the view draws.
    const int nRow = topLevelItemCount() > 0 ? rowHeight(indexFromItem(topLevelItem(0))) : 0;
    return std::max(nRow, nFont + 4);
}

int CListCtrl_RepBar::ColumnInit(int nColumns, int nRows, int nVisibleRows, const CColumn* pColumns,
                                 bool bFitParent, int nBottom, int nLeft, int nTop)
{
    (void)nLeft;
    if (!pColumns)
    {
        TraceLine(s_szClass, "ColumnInit()", "NULL-Pointer");
        return 0;
    }
    if (nColumns <= 0 || nRows <= 0)
        return 0;

    const int nM = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    if (columnCount() != nColumns || headerItem()->text(0) != pColumns[0].header)
    {
        setColumnCount(nColumns);
        QStringList headers;
        for (int i = 0; i < nColumns; ++i)
            headers << pColumns[i].header;
        setHeaderLabels(headers);
    }
    int nColumnSum = 0;
    const QFontMetrics headerMetrics(header()->font());
    for (int i = 0; i < nColumns; ++i)
    {
        // A column is never narrower than its header: a language file's longer header stays whole.
        const int nHeader = headerMetrics.horizontalAdvance(pColumns[i].header) + 2 * nM;
        const int nWidth = std::max(pColumns[i].nWidthFactor * nM, nHeader);
        setColumnWidth(i, nWidth);
        nColumnSum += nWidth;
    }

    while (topLevelItemCount() < nRows)
        addTopLevelItem(new QTreeWidgetItem());
    while (topLevelItemCount() > nRows)
        delete takeTopLevelItem(topLevelItemCount() - 1);

    m_bFitParent = bFitParent;
    m_nTop = nTop;
    m_nBottom = nBottom;
    m_nVisibleRowsWanted = std::clamp(nVisibleRows, 1, nRows);
    m_nVisibleRows = m_nVisibleRowsWanted;

    const int nEdge = frameWidth();
    const int nScrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int nFrame = header()->sizeHint().height() - RowHeight();
    m_size = QSize(ListWidth(nColumnSum, nEdge, nScrollBar, m_nVisibleRowsWanted >= nRows),
                   ListHeight(m_nVisibleRowsWanted, RowHeight(), nEdge, std::max(0, nFrame)));
    setSizePolicy(QSizePolicy::Expanding, bFitParent ? QSizePolicy::Expanding : QSizePolicy::Preferred);
    if (bFitParent)
        UpdateVisibleRows();
    updateGeometry();
    return 1;
}

void CListCtrl_RepBar::UpdateVisibleRows()
{
    if (!m_bFitParent)
        return;
    const int nFrame = std::max(0, header()->height() - RowHeight());
    // The list's own height stands for the page's client height less the margins that the
    // layout keeps around it.
    m_nVisibleRows = FitVisibleRows(height() + m_nTop + m_nBottom, RowHeight(), frameWidth(), nFrame, m_nTop,
                                    m_nBottom, std::max(1, topLevelItemCount()));
}

void CListCtrl_RepBar::resizeEvent(QResizeEvent* pEvent)
{
    QTreeWidget::resizeEvent(pEvent);
    UpdateVisibleRows();
}

QSize CListCtrl_RepBar::sizeHint() const
{
    return m_size.isValid() ? m_size : QTreeWidget::sizeHint();
}

QSize CListCtrl_RepBar::minimumSizeHint() const
{
    // A list that fits itself may shrink to a few rows; a fixed one keeps its width and rows
    // only as a wish (the page scrolls when it is smaller).
    const int nRow = RowHeight();
    return QSize(std::min(m_size.isValid() ? m_size.width() : 200, 200), 4 * nRow);
}

void CListCtrl_RepBar::SetItemText(int nRow, int nColumn, const QString& text)
{
    if (QTreeWidgetItem* pItem = topLevelItem(nRow))
        pItem->setText(nColumn, text);
}

QString CListCtrl_RepBar::ItemText(int nRow, int nColumn) const
{
    const QTreeWidgetItem* pItem = topLevelItem(nRow);
    return pItem ? pItem->text(nColumn) : QString();
}

void CListCtrl_RepBar::SetItemData(int nRow, int nData)
{
    if (QTreeWidgetItem* pItem = topLevelItem(nRow))
        pItem->setData(0, Qt::UserRole, nData);
}

int CListCtrl_RepBar::ItemData(int nRow) const
{
    const QTreeWidgetItem* pItem = topLevelItem(nRow);
    if (!pItem)
        return -1;
    bool bOk = false;
    const int n = pItem->data(0, Qt::UserRole).toInt(&bOk);
    return bOk ? n : -1;
}

int CListCtrl_RepBar::SelectedRow() const
{
    int nFirst = -1;
    const QList<QTreeWidgetItem*> items = selectedItems();
    for (QTreeWidgetItem* pItem : items)
    {
        const int n = indexOfTopLevelItem(pItem);
        if (n >= 0 && (nFirst < 0 || n < nFirst))
            nFirst = n;
    }
    return nFirst;
}

void CListCtrl_RepBar::SelectRow(int nRow)
{
    QTreeWidgetItem* pItem = topLevelItem(nRow);
    if (!pItem)
        return;
    clearSelection();
    setCurrentItem(pItem);
    pItem->setSelected(true);
    scrollToItem(pItem);
    setFocus();
}

void CListCtrl_RepBar::keyboardSearch(const QString& search)
{
    if (m_onCharacter && !search.isEmpty())
    {
        m_onCharacter(search.back());
        return;
    }
    QTreeWidget::keyboardSearch(search);
}

void CListCtrl_RepBar::keyPressEvent(QKeyEvent* pEvent)
{
    // Enter opens the current row, as a double click does.
    if ((pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) && currentItem())
    {
        emit RowOpened(indexOfTopLevelItem(currentItem()));
        return;
    }
    QTreeWidget::keyPressEvent(pEvent);
}
