#pragma once

// Base of the program's modal dialogs: carries the number of its resource template and puts the
// interface texts of that template into itself (caption and every numbered control) when it is
// first shown, as the system's dialogs do when they open. Messages from a dialog go through
// CUi_Interface, so that tests answer them.

#include <QDialog>

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

protected:
    void showEvent(QShowEvent* pEvent) override;
    virtual void TextsApplied() {}

private:
    unsigned m_nTemplate;
    bool m_bTextsApplied = false;
};
