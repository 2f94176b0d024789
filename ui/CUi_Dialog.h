#pragma once

// Base of the program's modal dialogs: carries the number of its resource template and puts the
// interface texts of that template into itself (caption and every numbered control) when it is
// first shown, as the system's dialogs do when they open. Messages from a dialog go through
// CUi_Interface, so that tests answer them.

#include "support/CUi_Interface.h"

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QKeyEvent;
class QShowEvent;

class CUi_Dialog : public QDialog
{
    Q_OBJECT

public:
    explicit CUi_Dialog(unsigned nTemplate, QWidget* pParent = nullptr);

    unsigned TemplateNumber() const { return m_nTemplate; }

    // The texts of the template, applied now (the first show does it too). Dialogs that change a
    // caption or a control text after the template's texts (a caption chosen by a property) do
    // so in TextsApplied.
    void ApplyTexts();

    // An interface text by its number (language text, else the resource module's).
    static QString String(unsigned nNumber);
    // The same, or the program's own text when the language has none.
    static QString String(unsigned nNumber, const char* pszDefault);

protected:
    void showEvent(QShowEvent* pEvent) override;
    // F1 (without Shift): the help of the dialog's template.
    void keyPressEvent(QKeyEvent* pEvent) override;
    virtual void TextsApplied() {}

    // The labels and group boxes a dialog lays out itself are numbered from here on, in the order
    // the dialog adds them, so that the language files can name them.
    static constexpr unsigned IDC_STATIC_FIRST = 6101;
    // A label numbered nControl that names pBuddy (its mnemonic moves the focus there).
    QLabel* NumberedLabel(unsigned nControl, const QString& text, QWidget* pBuddy = nullptr);
    QGroupBox* NumberedGroup(unsigned nControl, const QString& text);

    // Shows interface text nString in a message box captioned with the dialog's title; gives the
    // answer.
    int Message(unsigned nString, CUi_Interface::EIcon icon,
                CUi_Interface::EButtons buttons = CUi_Interface::BUTTONS_OK);
    // Tab order as the controls are numbered: every focusable numbered control in ascending order
    // of its number, OK (1) and Cancel (2) last. Called by a dialog once its controls exist.
    void OrderTabsByControlNumber();
    // OK (1, the default button: Return) and Cancel (2, also Escape), wired to accept and reject.
    QDialogButtonBox* CreateButtons();

private:
    unsigned m_nTemplate;
    bool m_bTextsApplied = false;
};
