#pragma once

// The find dialog of the phonebook (template 807): a search text, the direction, "Find next" and
// "Cancel". It does not block the page: the page keeps it, shows it again on the next find, and
// runs the search when "Find next" is pressed.

#include "ui/CUi_Dialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CDlg_Find : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 807;

    explicit CDlg_Find(QWidget* pParent = nullptr);

    QString SearchText() const;
    void SetSearchText(const QString& text);
    bool Down() const;
    void SetDown(bool bDown);
    // Cancel, Escape and the window's close button end the find.
    void reject() override;

signals:
    void FindAgain();
    void FindEnd();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    QLineEdit* m_pWord;
    QRadioButton* m_pUp;
    QRadioButton* m_pDown;
};
