#pragma once

// Page "Answering machine" (template 7000): the answering machine's general switches, its call
// deflection, and the list of its settings per MSN (edited in the per-MSN dialog).

#include "ui/CPp_Page.h"

class CApp;
class QCheckBox;

class CPpS_AnswerMachine : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7000;
    static constexpr const char* CAPTION = "Answering machine";
    static constexpr int VISIBLE_ROWS = 11;
    // The list's last row is the answering machine's general entry.
    static constexpr int GENERAL_ENTRY = 10;

    explicit CPpS_AnswerMachine(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;

    // The per-MSN entry a row of the list shows: one per MSN, then the general entry.
    static int EntryOfRow(int nRow, int nMsnCount);

protected:
    void DocToMembers() override;
    void TextsApplied() override;
    int EditRow(int nRow) override;

private:
    void OnFullMessageToggled(bool bOn);
    void UpdateEnabling();

    QCheckBox* m_pFullMessage = nullptr;
};
