#include "ui/CPpS_DialName.h"

#include "data/CData_All.h"
#include "shell/CApp.h"
#include "support/Trace.h"
#include "ui/CDlgE_DialName.h"
#include "ui/CDlg_Find.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Beep.h"
#include "ui/CUi_Texts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace
{
const char s_szClass[] = "CPpS_DialName";

enum : unsigned
{
    IDC_DIALNAME_LST = 1401,
    IDC_IDD_DLGS_DIALNAME_STATIC_1 = 6023,
};

// Columns: header string, width factor (the block's columns in the same order).
struct CColumnRow
{
    unsigned nHeader;
    const char* pszHeader;
    int nWidthFactor;
};
const CColumnRow s_columns[] = {
    {290, "No.", 4},    {292, "Name", 20},       {291, "Number", 19},    {293, "Volume", 6},
    {294, "Melody", 7}, {283, "MSN to use", 14}, {285, "Info text", 20},
};
constexpr int COLUMNS = 7;

// The phonebook's context menu (menu 3002): its commands in their order.
struct CMenuRow
{
    unsigned nCommand;
    const char* pszText;
};
const CMenuRow s_contextMenu[] = {
    {3100, "&New entry\tIns"},  {3101, "&Edit entry"},  {3102, "&Delete entry\tDel"}, {0, nullptr},
    {5508, "&Find...\tCtrl+F"}, {5506, "&Prefixes..."},
};

CPpS_DialName::EntryEditor& Editor()
{
    static CPpS_DialName::EntryEditor s_editor;
    return s_editor;
}

// The same letter in both cases: a to z and the umlauts of code page 1252.
unsigned char FoldCase(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    switch (c)
    {
    case 0xE4: // a umlaut
        return 0xC4;
    case 0xF6: // o umlaut
        return 0xD6;
    case 0xFC: // u umlaut
        return 0xDC;
    default:
        return c;
    }
}
} // namespace

CPpS_DialName::CPpS_DialName(CApp& app, QWidget* pParent) : CPp_Page(IDD, &app.DocData(), CAPTION, pParent)
{
    auto* pLayout = new QVBoxLayout(Content());
    QLabel* pLabel = AddLabel(IDC_IDD_DLGS_DIALNAME_STATIC_1, "Phonebook entries");
    pLayout->addWidget(pLabel);
    CListCtrl_RepBar* pList = AddList(IDC_DIALNAME_LST);
    pLabel->setBuddy(pList);
    pLayout->addWidget(pList, 1);
    pList->m_onCharacter = [this](QChar ch) { OnCharacter(ch); };
    pList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pList, &QWidget::customContextMenuRequested, this,
            [this, pList](const QPoint& pos)
            {
                QMenu menu(this);
                for (const CMenuRow& row : s_contextMenu)
                {
                    if (!row.pszText)
                    {
                        menu.addSeparator();
                        continue;
                    }
                    QAction* pAction = menu.addAction(QString::fromLatin1(row.pszText));
                    CUi_Texts::SetCommand(pAction, row.nCommand);
                    const unsigned nCommand = row.nCommand;
                    connect(pAction, &QAction::triggered, this,
                            [this, nCommand] { emit CommandRequested(nCommand); });
                }
                CUi_Texts::ApplyMenu(&menu);
                menu.exec(pList->viewport()->mapToGlobal(pos));
            });
    FinishControls();
}

CPpS_DialName::~CPpS_DialName()
{
    delete m_pFind;
}

void CPpS_DialName::SetEntryEditor(EntryEditor editor)
{
    Editor() = std::move(editor);
}

CData_AllDialName& CPpS_DialName::Book()
{
    return Data().m_DialName;
}

int CPpS_DialName::EntryCount() const
{
    const CListCtrl_RepBar* pList = List();
    if (!pList || pList->RowCount() == 0)
        return 0;
    if (pList->RowCount() == 1 && pList->ItemData(0) < 0)
        return 0;
    return pList->RowCount();
}

void CPpS_DialName::DocToMembers()
{
    Refresh();
}

void CPpS_DialName::Refresh()
{
    CListCtrl_RepBar::CColumn columns[COLUMNS];
    for (int i = 0; i < COLUMNS; ++i)
        columns[i] = {UiText(s_columns[i].nHeader, s_columns[i].pszHeader), s_columns[i].nWidthFactor};
    const CData_AllDialName& book = Book();
    const int nEntries = book.Count();
    // The list always has a row; an empty phonebook shows one empty row.
    List()->ColumnInit(COLUMNS, std::max(1, nEntries), VISIBLE_ROWS, columns, true);
    for (int nRow = 0; nRow < nEntries; ++nRow)
    {
        const CData_DialName* pEntry = book.Entry(nRow);
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(nRow, i, CellText(pEntry->InfoText(i)));
        List()->SetItemData(nRow, nRow);
    }
    if (nEntries == 0)
    {
        for (int i = 0; i < COLUMNS; ++i)
            List()->SetItemText(0, i, QString());
        List()->SetItemData(0, -1);
    }
    emit CountChanged(EntryCount());
    emit StateChanged();
}

int CPpS_DialName::Edit(CData_DialName& entry)
{
    if (Editor())
        return Editor()(entry, this);
    CDlgE_DialName dlg(entry, Cfg(), this);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    entry = dlg.Entry();
    return 1;
}

void CPpS_DialName::OnNew()
{
    CData_AllDialName& book = Book();
    while (book.Count() < CData_AllDialName::ENTRY_MAX)
    {
        CData_DialName entry(book.Count());
        if (!Edit(entry))
            return;
        if (!book.m_List.Insert(entry))
            return;
        book.Sort();
        Refresh();
    }
}

int CPpS_DialName::EditRow(int nRow)
{
    const int nIndex = List()->ItemData(nRow);
    CData_DialName* pEntry = Book().Entry(nIndex);
    if (!pEntry)
        return 0;
    CData_DialName entry = *pEntry;
    if (!Edit(entry))
        return 0;
    *pEntry = entry;
    Book().Sort();
    return 1;
}

void CPpS_DialName::OnEdit()
{
    const int nRow = List()->SelectedRow();
    if (nRow < 0 || List()->ItemData(nRow) < 0)
    {
        CUi_Beep::Error();
        return;
    }
    if (EditRow(nRow))
        Refresh();
}

void CPpS_DialName::OnDelete()
{
    const int nRow = List()->SelectedRow();
    const int nIndex = nRow >= 0 ? List()->ItemData(nRow) : -1;
    std::vector<CData_DialName>& entries = Book().m_List.Entries();
    if (nIndex < 0 || nIndex >= static_cast<int>(entries.size()))
    {
        CUi_Beep::Error();
        return;
    }
    entries.erase(entries.begin() + nIndex);
    Book().Sort();
    Refresh();
    List()->SelectRow(std::min(nRow, List()->RowCount() - 1));
}

void CPpS_DialName::OnFind()
{
    if (!m_pFind)
    {
        m_pFind = new CDlg_Find(this);
        connect(m_pFind, &CDlg_Find::FindAgain, this, &CPpS_DialName::OnFindAgain);
        connect(m_pFind, &CDlg_Find::FindEnd, this, &CPpS_DialName::OnFindEnd);
    }
    m_pFind->show();
    m_pFind->raise();
    m_pFind->activateWindow();
}

void CPpS_DialName::OnFindAgain()
{
    TraceLine(s_szClass, "OnFindAgain()");
    if (!m_pFind)
        return;
    const int nRow = List()->SelectedRow();
    const int nStart = nRow >= 0 ? List()->ItemData(nRow) : -1;
    const int nFound = FindEntry(Book(), nStart, m_pFind->Down(), CUi_Texts::ToCp1252(m_pFind->SearchText()));
    if (nFound < 0)
    {
        CUi_Beep::Error();
        return;
    }
    List()->SelectRow(nFound);
}

void CPpS_DialName::OnFindEnd()
{
    TraceLine(s_szClass, "OnFindEnd()");
    if (m_pFind)
        m_pFind->deleteLater();
    m_pFind = nullptr;
}

int CPpS_DialName::FindEntry(const CData_AllDialName& book, int nStart, bool bDown, const std::string& text)
{
    const int nCount = book.Count();
    if (nCount == 0)
        return -1;
    const int nStep = bDown ? 1 : -1;
    // Without a start row every entry is visited once: the walk starts just outside the list.
    const bool bOutside = nStart < 0 || nStart >= nCount;
    int nPos = bOutside ? (bDown ? -1 : nCount) : nStart;
    for (int nVisited = 0; nVisited < nCount; ++nVisited)
    {
        nPos = ((nPos + nStep) % nCount + nCount) % nCount;
        if (!bOutside && nPos == nStart)
            break;
        const CData_DialName* pEntry = book.Entry(nPos);
        if (pEntry->m_strName.find(text) != std::string::npos ||
            pEntry->m_strMsnExt.find(text) != std::string::npos)
            return nPos;
    }
    return -1;
}

int CPpS_DialName::TypeAheadEntry(const CData_AllDialName& book, int nStart, unsigned char ch)
{
    const int nCount = book.Count();
    if (nCount == 0)
        return -1;
    if (nStart < 0 || nStart >= nCount)
        nStart = nCount - 1;
    const unsigned char folded = FoldCase(ch);
    for (int i = 1; i <= nCount; ++i)
    {
        const int n = (nStart + i) % nCount;
        const std::string& name = book.Entry(n)->m_strName;
        if (!name.empty() && FoldCase(static_cast<unsigned char>(name[0])) == folded)
            return n;
    }
    return -1;
}

void CPpS_DialName::OnCharacter(QChar ch)
{
    const std::string bytes = CUi_Texts::ToCp1252(QString(ch));
    const int nRow = List()->SelectedRow();
    const int nFound =
        TypeAheadEntry(Book(), nRow >= 0 ? List()->ItemData(nRow) : -1, static_cast<unsigned char>(bytes[0]));
    if (nFound >= 0)
        List()->SelectRow(nFound);
}
