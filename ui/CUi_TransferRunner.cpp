#include "ui/CUi_TransferRunner.h"

#include "ui/CDlg_Trans.h"

#include <QTimer>

int CUi_TransferRunner::RunTransfer(int nMode, int nLinkKind)
{
    CDlg_Trans dialog(m_app, nMode, nLinkKind, m_pParent);
    if (m_choice)
        QObject::connect(&dialog, &CDlg_Trans::Waiting, &dialog,
                         [this, &dialog]
                         {
                             // Answered from the loop, not from inside the timer that found the error.
                             const bool bRetry = m_choice();
                             QTimer::singleShot(0, &dialog,
                                                [&dialog, bRetry]
                                                {
                                                    if (bRetry)
                                                        dialog.Transfer().OnTransAgain();
                                                    else
                                                        dialog.Transfer().OnTransCancel();
                                                });
                         });
    const int nResult = dialog.exec() == QDialog::Accepted ? 1 : 0;
    const CApp_TransferDialog& transfer = dialog.Transfer();
    m_outcome = COutcome();
    m_outcome.nOutcome = nResult ? OUTCOME_DONE : transfer.Rejected() ? OUTCOME_REJECTED : OUTCOME_ERROR;
    m_outcome.reason = nResult ? std::string() : transfer.Reason();
    return nResult;
}
