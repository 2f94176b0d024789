#pragma once

// Page "Phonebook" (template 1400): the phonebook entries, one row per entry in phonebook order.
// New, edit, delete, find and prefix processing reach it through the main window's commands;
// typing a character in the list jumps to the next entry whose name starts with it. After every
// change the list is rebuilt and the status bar's count follows (CountChanged).

#include "ui/CPp_Page.h"

#include "ui/CDlg_Find.h"

#include <QPointer>

#include <string>

class CApp;
class CData_AllDialName;
class CData_DialName;
class CDlg_Find;

class CPpS_DialName : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 1400;
    static constexpr const char* CAPTION = "Phonebook";
    static constexpr int VISIBLE_ROWS = 15;

    explicit CPpS_DialName(CApp& app, QWidget* pParent = nullptr);
    ~CPpS_DialName() override;

    // ---- Operations of the main window's commands ----
    // New entries, one after the other, until the user cancels or the phonebook is full.
    void OnNew();
    void OnEdit();
    void OnDelete();
    // Opens the find dialog (once; later calls show it again).
    void OnFind();
    void OnFindAgain();
    void OnFindEnd();
    // Rebuilds the list from the phonebook and announces the count.
    void Refresh();
    // Entries of the phonebook as the list counts them (a single empty row counts as none).
    int EntryCount() const;

    CDlg_Find* FindDialog() const { return m_pFind; }

    // How an entry is edited: 1 when the user confirmed the changed entry. Unset: the phonebook's
    // edit dialog (tests put in their own).
    using EntryEditor = std::function<int(CData_DialName& entry, QWidget* pParent)>;
    static void SetEntryEditor(EntryEditor editor);

    // ---- The rules, on the phonebook itself ----
    // The entry a find from nStart reaches: the walk starts beside nStart (after it going down,
    // before it going up), wraps round at the ends and stops when it is back at nStart; an entry
    // matches when its name, or failing that its number, contains the text exactly. nStart -1
    // walks every entry. -1 when none matches.
    static int FindEntry(const CData_AllDialName& book, int nStart, bool bDown, const std::string& text);
    // The entry typing a character jumps to: the next one after nStart, wrapping round, whose name
    // starts with the character; letters (the umlauts included) count the same in both cases.
    // -1 when none.
    static int TypeAheadEntry(const CData_AllDialName& book, int nStart, unsigned char ch);

signals:
    void CountChanged(int nEntries);
    // A command started from the list's context menu.
    void CommandRequested(unsigned nCommand);

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;

private:
    CData_AllDialName& Book();
    int Edit(CData_DialName& entry);
    void OnCharacter(QChar ch);

    QPointer<CDlg_Find> m_pFind;
};
