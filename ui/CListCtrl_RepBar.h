#pragma once

// The list control of every list page: a report list with one column per field and one row per
// entry, sized by ColumnInit from the columns' width factors and the number of visible rows. Each
// row carries an item number (the entry's index). Typing a character and opening a row (double
// click, Enter) are handed to the page that owns the list.

#include <QTreeWidget>

#include <functional>

class CListCtrl_RepBar : public QTreeWidget
{
    Q_OBJECT

public:
    // A column: its header and its width in widths of the letter "M" of the list's font (at least
    // the header's own width).
    struct CColumn
    {
        QString header;
        int nWidthFactor;
    };
    // Margins around a list that fits itself to its page (pixels).
    static constexpr int MARGIN = 20;
    // Extra room of the original control beside the borders (pixels).
    static constexpr int EXTRA = 5;

    explicit CListCtrl_RepBar(QWidget* pParent = nullptr);

    // Sets the columns (once, or anew when their number changed), adds or deletes rows until
    // there are nRows, and sizes the list for nVisibleRows rows. With bFitParent the list takes
    // the room its page gives it and shows as many rows as fit (VisibleRows). No columns or no
    // rows: nothing happens; no headers: a trace line and nothing happens. 1 when done.
    int ColumnInit(int nColumns, int nRows, int nVisibleRows, const CColumn* pColumns, bool bFitParent,
                   int nBottom = MARGIN, int nLeft = MARGIN, int nTop = MARGIN);

    // The rows that fit into a page's client height: whole rows less the borders, the frame, the
    // top and bottom margins and the header row, kept between 1 and the number of rows.
    static int FitVisibleRows(int nClientHeight, int nRowHeight, int nEdge, int nFrame, int nTop, int nBottom,
                              int nRows);
    // The list's width for the columns' widths: their sum, both borders, the extra room, and a
    // scroll bar when not every row is visible.
    static int ListWidth(int nColumnSum, int nEdge, int nScrollBar, bool bAllVisible);
    // The list's height: the visible rows and the header row, both borders, the frame, the extra room.
    static int ListHeight(int nVisibleRows, int nRowHeight, int nEdge, int nFrame);

    int RowCount() const { return topLevelItemCount(); }
    int VisibleRows() const { return m_nVisibleRows; }
    void SetItemText(int nRow, int nColumn, const QString& text);
    QString ItemText(int nRow, int nColumn) const;
    void SetItemData(int nRow, int nData);
    int ItemData(int nRow) const; // -1 when the row does not exist
    // The first selected row, -1 when none.
    int SelectedRow() const;
    // Selects the row alone, makes it visible and gives it the focus.
    void SelectRow(int nRow);

    // What the page does when a printable character is typed in the list (nothing when unset).
    std::function<void(QChar)> m_onCharacter;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void keyboardSearch(const QString& search) override;

signals:
    // A row was opened (double click or Enter).
    void RowOpened(int nRow);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    int RowHeight() const;
    void UpdateVisibleRows();

    bool m_bFitParent = false;
    int m_nVisibleRowsWanted = 1;
    int m_nVisibleRows = 1;
    int m_nTop = MARGIN;
    int m_nBottom = MARGIN;
    QSize m_size;
};
