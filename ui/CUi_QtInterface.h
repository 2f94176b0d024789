#pragma once

// The program's user: the core's questions as Qt message boxes and file dialogs, parented to the
// main window. Texts cross here between the core's code page 1252 bytes and QString.

#include "support/CUi_Interface.h"

#include <QString>

class QWidget;

class CUi_QtInterface : public CUi_Interface
{
public:
    // pParent: the main window once it exists (not owned; may be nullptr).
    explicit CUi_QtInterface(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    int MessageBox(const std::string& text, const std::string& caption, EIcon icon,
                   EButtons buttons) override;
    int GetOpenFileName(const std::string& filter, const std::string& initialDir, std::string& path) override;
    int GetSaveFileName(const std::string& filter, const std::string& defaultExt,
                        const std::string& proposedName, const std::string& initialDir,
                        std::string& path) override;

    // The interface texts' filter ("Text|*.a;*.b|Other|*.*||") as Qt writes it
    // ("Text (*.a *.b);;Other (*.*)"); a description that already names its patterns keeps them.
    static QString QtFilter(const std::string& filter);
    // Qt's dialogs use the native ones only where the platform has them; tests switch them off
    // to drive the dialogs themselves.
    static void SetUseNativeDialogs(bool bNative);

private:
    QWidget* m_pParent;
};
