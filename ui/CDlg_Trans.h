#pragma once

// The transfer dialog (template 806): status text, running bit string, progress bar, retry and
// cancel. Every decision is CApp_TransferDialog's; the widget shows what it holds and passes the
// buttons and the dialog's cancel on. The transfer starts when the dialog is first shown (its
// initialisation) and the dialog ends by itself when the transfer is done.

#include "shell/CApp_TransferDialog.h"
#include "ui/CUi_Dialog.h"

#include <memory>

class CApp;
class CLayerPP;
class QLabel;
class QProgressBar;
class QPushButton;

class CDlg_Trans : public CUi_Dialog, public CApp_TransferDialog::CView
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 806;
    static constexpr unsigned IDC_TRANS_PROGRESS = 1360;
    static constexpr unsigned IDC_TRANS_INFO = 1361;
    static constexpr unsigned IDC_TRANS_INFO2 = 1362;
    static constexpr unsigned ID_TRANS_AGAIN = 2860;
    static constexpr unsigned ID_TRANS_CANCEL = 2870;

    CDlg_Trans(CApp& app, int nMode, int nLinkKind, QWidget* pParent = nullptr);
    ~CDlg_Trans() override;

    CApp_TransferDialog& Transfer() { return m_transfer; }
    // A link layer of the caller's instead of the link adapter, before the dialog is shown.
    void SetLink(std::unique_ptr<CLayerPP> pLink);

public slots:
    // Escape and closing the window: the dialog's own cancel.
    void reject() override;

signals:
    // The transfer failed or was refused: the dialog waits for retry or cancel.
    void Waiting();

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    // ---- CApp_TransferDialog::CView ----
    void Update(const CApp_TransferDialog& transfer) override;
    void ShowMainWindow() override;
    void Beep(bool bError) override;
    void End(int nResult) override;

    CApp_TransferDialog m_transfer;
    std::unique_ptr<CLayerPP> m_pLink;
    QLabel* m_pInfo;
    QLabel* m_pInfo2;
    QProgressBar* m_pProgress;
    QPushButton* m_pAgain;
    QPushButton* m_pCancel;
    bool m_bStarted = false;
    bool m_bWaiting = false;
};
