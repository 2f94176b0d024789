#pragma once

// The about box (template 100): product name, version and build of the resource bundle's version
// strings, the program's build date and time, the vendor lines. A left double-click opens the
// telephone's version dialog for the version block it was given; a right double-click with Shift
// and Ctrl held down names the developers.

#include "ui/CUi_Dialog.h"

#include <string>

class CData_Version;
class QLabel;
class QMouseEvent;

class CDlg_About : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 100;          // IDD_ABOUTBOX
    static constexpr unsigned IDC_ABOUT_STATIC = 9271; // the text of the about box

    // pVersion: the version block of the current configuration (not owned); nullptr: the left
    // double-click opens nothing.
    explicit CDlg_About(const CData_Version* pVersion = nullptr, QWidget* pParent = nullptr);

    // The text of control 9271 from the version strings of the bundle in force.
    static std::string AboutText();
    // The developers' box: caption and text.
    static const char* EngineersCaption();
    static std::string EngineersText();

protected:
    void TextsApplied() override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    // Opens the version dialog for the version block, modally.
    virtual void OpenVersionDialog();

private:
    const CData_Version* m_pVersion;
    QLabel* m_pText;
};
