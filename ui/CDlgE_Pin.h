#pragma once

// The telephone's PIN before a send (template 3300): exactly four characters; any other length
// shows text 432 and keeps the dialog open. A caller's own rule (SetAccept) may refuse a PIN
// too: it tells the user why, and the dialog stays open as well.

#include "ui/CUi_Dialog.h"

#include <functional>
#include <string>
#include <utility>

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

    // The caller's rule for a PIN of four characters, with the dialog's title for its message;
    // 0 keeps the dialog open.
    using Accept = std::function<int(const std::string& pin, const std::string& caption)>;
    void SetAccept(Accept accept) { m_accept = std::move(accept); }

    // The PIN entered, after OK; the PIN given until then.
    const std::string& Pin() const { return m_pin; }

public slots:
    void accept() override;

private:
    std::string m_pin;
    QLineEdit* m_pEdit;
    Accept m_accept;
};
