#pragma once

// The telephone's PIN before a send (template 3300): exactly four characters; any other length
// shows text 432 and keeps the dialog open.

#include "ui/CUi_Dialog.h"

#include <string>

class QLineEdit;

class CDlgE_Pin : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 3300;
    static constexpr unsigned IDC_PIN = 3311;
    static constexpr unsigned IDC_PIN_STATIC = 3310;
    // The telephone's configuration PIN has four characters.
    static constexpr int PIN_LENGTH = 4;
    static constexpr unsigned TEXT_WRONG_LENGTH = 432;

    // pin: the PIN shown first (code page 1252).
    explicit CDlgE_Pin(const std::string& pin, QWidget* pParent = nullptr);

    // The PIN entered, after OK; the PIN given until then.
    const std::string& Pin() const { return m_pin; }

public slots:
    void accept() override;

private:
    std::string m_pin;
    QLineEdit* m_pEdit;
};
