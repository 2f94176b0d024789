#pragma once

// A file name field with its browse button, as the import dialogs have it: the button opens the
// open-file dialog (through CUi_Interface, so that tests choose the file) with a filter from the
// interface texts, puts the chosen path into the field and says so.

#include <QWidget>

#include <string>

class QLineEdit;
class QPushButton;

class CUi_FileField : public QWidget
{
    Q_OBJECT

public:
    // nButton is the button's control number, nFilter the number of the filter text.
    CUi_FileField(unsigned nButton, unsigned nFilter, QWidget* pParent = nullptr);

    std::string Path() const;
    void SetPath(const std::string& path);
    QLineEdit* Edit() const { return m_pEdit; }
    QPushButton* Button() const { return m_pButton; }

    // The dialog's way in for the button, also for the tests.
    void Browse();

signals:
    void Chosen();

private:
    unsigned m_nFilter;
    QLineEdit* m_pEdit;
    QPushButton* m_pButton;
};
