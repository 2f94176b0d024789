#include "ui/CUi_Script.h"

#include "platform/CPlatform_File.h"
#include "support/Trace.h"
#include "ui/CMainFrame.h"
#include "ui/CUi_TransferRunner.h"

#include "ui/CListCtrl_RepBar.h"
#include "ui/CPp_Page.h"
#include "ui/CR740CfView.h"
#include "ui/CUi_HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace
{
const char s_szClass[] = "Script";

// The answers by their words.
struct CAnswerWord
{
    const char* pszWord;
    int nAnswer;
};
const CAnswerWord s_answers[] = {
    {"ok", CUi_Interface::ANSWER_OK},
    {"cancel", CUi_Interface::ANSWER_CANCEL},
    {"yes", CUi_Interface::ANSWER_YES},
    {"no", CUi_Interface::ANSWER_NO},
};

const char* const s_apszIcons[] = {"none", "information", "question", "warning", "stop"};

// A script is a few lines.
constexpr size_t SCRIPT_MAX = 1 << 20;

// The script names a cancelled dialog so.
const char s_szCancelled[] = "-";

std::string Trimmed(const std::string& text)
{
    const size_t nBegin = text.find_first_not_of(" \t\r");
    if (nBegin == std::string::npos)
        return std::string();
    const size_t nEnd = text.find_last_not_of(" \t\r");
    return text.substr(nBegin, nEnd - nBegin + 1);
}

// A whole decimal number, perhaps negative.
bool Number(const std::string& text, long& n)
{
    if (text.empty())
        return false;
    char* pEnd = nullptr;
    errno = 0;
    n = std::strtol(text.c_str(), &pEnd, 10);
    return errno == 0 && *pEnd == '\0';
}

// Far more than any telephone has pages or list rows.
constexpr long PAGE_NUMBER_MAX = 10000;

// How long a dialog step waits for its dialog before it looks again.
constexpr int DIALOG_POLL_MS = 50;
} // namespace

CUi_Script::CUi_Script(const std::string& path)
{
    std::string bytes;
    std::string reason;
    if (!CPlatform_File::ReadWhole(path, SCRIPT_MAX, bytes, reason))
    {
        m_error = path + ": " + reason;
        return;
    }
    size_t nPos = 0;
    int nLine = 0;
    // Dialogs opened and not yet closed at this line.
    int nDepth = 0;
    while (nPos < bytes.size())
    {
        size_t nEnd = bytes.find('\n', nPos);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        const std::string line = Trimmed(bytes.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
        ++nLine;
        if (line.empty() || line[0] == '#')
            continue;
        const size_t nBlank = line.find_first_of(" \t");
        const std::string word = line.substr(0, nBlank);
        const std::string value = nBlank == std::string::npos ? std::string() : Trimmed(line.substr(nBlank));
        const CEntry entry{value != s_szCancelled, value};
        bool bKnown = true;
        if (word == "answer")
        {
            bKnown = false;
            for (const CAnswerWord& a : s_answers)
                if (value == a.pszWord)
                {
                    m_answers.push_back(a.nAnswer);
                    bKnown = true;
                }
        }
        else if (word == "pin")
            m_pins.push_back(entry);
        else if (word == "file" && !value.empty())
            m_files.push_back(entry);
        else if (word == "transfer" && (value == "retry" || value == "cancel"))
            m_transferRetries.push_back(value == "retry");
        else if (word == "command" || word == "dialog")
        {
            long n = 0;
            bKnown = Number(value, n) && n > 0 && n <= 0xFFFF;
            if (bKnown)
                m_steps.push_back({word == "command" ? CStep::STEP_COMMAND : CStep::STEP_DIALOG,
                                   static_cast<int>(n), std::string()});
        }
        else if (word == "page" || word == "row")
        {
            long n = 0;
            bKnown = Number(value, n) && n >= (word == "page" ? -PAGE_NUMBER_MAX : 0) && n < PAGE_NUMBER_MAX;
            if (bKnown)
                m_steps.push_back({word == "page" ? CStep::STEP_PAGE : CStep::STEP_ROW, static_cast<int>(n),
                                   std::string()});
        }
        else if (word == "close" && value.empty() && nDepth > 0)
            m_steps.push_back({CStep::STEP_CLOSE, 0, std::string()});
        else if (word == "firststeps" && value.empty())
            m_steps.push_back({CStep::STEP_FIRSTSTEPS, 0, std::string()});
        else if (word == "screenshot" && !value.empty())
            m_steps.push_back({CStep::STEP_SCREENSHOT, 0, value});
        else if (word == "screenshot-dialog" && !value.empty() && nDepth > 0)
            m_steps.push_back({CStep::STEP_SCREENSHOT_DIALOG, 0, value});
        else if (word == "screenshot-help" && !value.empty())
            m_steps.push_back({CStep::STEP_SCREENSHOT_HELP, 0, value});
        else if (word == "screenshot-screen" && !value.empty())
            m_steps.push_back({CStep::STEP_SCREENSHOT_SCREEN, 0, value});
        else if (word == "quit" && value.empty() && nDepth == 0)
            m_steps.push_back({CStep::STEP_QUIT, 0, std::string()});
        else if (word == "log" && !value.empty())
            m_logPath = value;
        else
            bKnown = false;
        if (!bKnown)
        {
            m_error = path + " line " + std::to_string(nLine) + ": not understood: " + line;
            return;
        }
        if (word == "dialog" || word == "row")
            ++nDepth;
        else if (word == "close")
            --nDepth;
    }
    if (nDepth > 0)
        m_error = path + ": a dialog is not closed at the end";
}

std::string CUi_Script::PathFromEnvironment()
{
    const char* psz = std::getenv(ENVIRONMENT);
    return psz ? psz : "";
}

void CUi_Script::Attach(CUi_TransferRunner& runner)
{
    runner.SetWaitingChoice(
        [this]
        {
            if (m_transferRetries.empty())
                return false;
            const bool bRetry = m_transferRetries.front();
            m_transferRetries.pop_front();
            return bRetry;
        });
}

void CUi_Script::Schedule(CMainFrame& frame)
{
    QTimer::singleShot(0, &frame, [this, &frame] { RunSteps(frame); });
}

void CUi_Script::RunSteps(CMainFrame& frame)
{
    while (m_nNextStep < m_steps.size())
    {
        const CStep step = m_steps[m_nNextStep++];
        switch (step.kind)
        {
        case CStep::STEP_QUIT:
            TraceLine(s_szClass, "quit");
            if (!frame.close())
            {
                Log("quit refused");
                QCoreApplication::exit(EXIT_QUIT_REFUSED);
            }
            return;
        case CStep::STEP_SCREENSHOT:
            Screenshot(&frame, "main window", step.path);
            break;
        case CStep::STEP_SCREENSHOT_DIALOG:
            Screenshot(QApplication::activeModalWidget(), "dialog", step.path);
            break;
        case CStep::STEP_SCREENSHOT_HELP:
            Screenshot(frame.HelpViewer(), "help window", step.path);
            break;
        case CStep::STEP_SCREENSHOT_SCREEN:
        {
            QApplication::processEvents();
            QScreen* pScreen = frame.screen();
            if (!pScreen || !pScreen->grabWindow(0).save(QString::fromLocal8Bit(step.path.c_str()), "PNG"))
                Log("screenshot failed: " + step.path);
            break;
        }
        case CStep::STEP_COMMAND:
            RunCommand(frame, static_cast<unsigned>(step.nNumber));
            break;
        case CStep::STEP_PAGE:
        {
            CR740CfView* pView = frame.View();
            const int nCount = pView ? pView->PageCount() : 0;
            const int nPage = step.nNumber < 0 ? nCount + step.nNumber : step.nNumber;
            if (nPage < 0 || nPage >= nCount)
                Log("page " + std::to_string(step.nNumber) + " does not exist");
            else
                pView->SetActivePage(nPage);
            QApplication::processEvents();
            break;
        }
        case CStep::STEP_DIALOG:
            RunInDialog(frame,
                        [this, &frame, step] { RunCommand(frame, static_cast<unsigned>(step.nNumber)); });
            break;
        case CStep::STEP_ROW:
        {
            CPp_Page* pPage = frame.View() ? frame.View()->ActivePage() : nullptr;
            CListCtrl_RepBar* pList = pPage ? pPage->List() : nullptr;
            if (!pList || step.nNumber >= pList->RowCount())
            {
                Log("row " + std::to_string(step.nNumber) + " does not exist");
                SkipDialogSteps();
                break;
            }
            RunInDialog(frame,
                        [pPage, pList, step]
                        {
                            pList->SelectRow(step.nNumber);
                            pPage->EditSelected();
                        });
            break;
        }
        case CStep::STEP_CLOSE:
            // The dialog's own loop ends; the step that opened it goes on.
            if (auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                pDialog->reject();
            else
                Log("close: no dialog");
            return;
        case CStep::STEP_FIRSTSTEPS:
            if (!frame.ShowFirstRunHint())
                Log("first steps not shown");
            QApplication::processEvents();
            break;
        }
    }
}

void CUi_Script::RunInDialog(CMainFrame& frame, const std::function<void()>& open)
{
    // The steps inside the dialog run from its own message loop, once it is up.
    const unsigned nSerial = ++m_nDialogSerial;
    m_bAwaitingDialog = true;
    ++m_nDialogDepth;
    QTimer::singleShot(0, &frame, [this, &frame, nSerial] { PollDialog(frame, nSerial); });
    open();
    --m_nDialogDepth;
    if (m_bAwaitingDialog && m_nDialogSerial == nSerial)
    {
        m_bAwaitingDialog = false;
        Log("no dialog opened");
        SkipDialogSteps();
    }
    QApplication::processEvents();
}

void CUi_Script::PollDialog(CMainFrame& frame, unsigned nSerial)
{
    // A poll of a dialog step that is over does nothing.
    if (!m_bAwaitingDialog || nSerial != m_nDialogSerial)
        return;
    if (!QApplication::activeModalWidget())
    {
        QTimer::singleShot(DIALOG_POLL_MS, &frame, [this, &frame, nSerial] { PollDialog(frame, nSerial); });
        return;
    }
    m_bAwaitingDialog = false;
    RunSteps(frame);
}

void CUi_Script::SkipDialogSteps()
{
    for (int nDepth = 1; m_nNextStep < m_steps.size() && nDepth > 0; ++m_nNextStep)
    {
        const CStep::EKind kind = m_steps[m_nNextStep].kind;
        if (kind == CStep::STEP_DIALOG || kind == CStep::STEP_ROW)
            ++nDepth;
        else if (kind == CStep::STEP_CLOSE)
            --nDepth;
    }
}

void CUi_Script::RunCommand(CMainFrame& frame, unsigned nCommand)
{
    TraceLine(s_szClass, "command ", std::to_string(nCommand).c_str());
    // As the menu item does when it is chosen, and only when it could be chosen.
    frame.UpdateCommandUI();
    if (QAction* pAction = frame.Action(nCommand))
    {
        if (pAction->isEnabled())
            pAction->trigger();
        else
            Log("command " + std::to_string(nCommand) + " not enabled");
    }
    else if (!frame.OnCommand(nCommand))
        Log("command " + std::to_string(nCommand) + " not enabled");
    QApplication::processEvents();
}

void CUi_Script::Screenshot(QWidget* pWidget, const char* pszWhat, const std::string& path) const
{
    QApplication::processEvents();
    if (!pWidget || !pWidget->isVisible())
        Log(std::string("screenshot: no ") + pszWhat + ": " + path);
    else if (!pWidget->grab().save(QString::fromLocal8Bit(path.c_str()), "PNG"))
        Log("screenshot failed: " + path);
}

void CUi_Script::Log(const std::string& line) const
{
    if (m_logPath.empty())
        return;
    if (FILE* pFile = std::fopen(m_logPath.c_str(), "ab"))
    {
        std::fprintf(pFile, "%s\n", line.c_str());
        std::fclose(pFile);
    }
}

int CUi_Script::MessageBox(const std::string& text, const std::string& caption, EIcon icon, EButtons buttons)
{
    std::string oneLine = text;
    for (size_t n = oneLine.find('\n'); n != std::string::npos; n = oneLine.find('\n', n))
        oneLine.replace(n, 1, "\\n");
    const size_t nIcon = static_cast<size_t>(icon) < std::size(s_apszIcons) ? static_cast<size_t>(icon) : 0;
    Log(std::string("message\t") + s_apszIcons[nIcon] + "\t" + caption + "\t" + oneLine);
    if (!m_answers.empty())
    {
        const int n = m_answers.front();
        m_answers.pop_front();
        return n;
    }
    switch (buttons)
    {
    case BUTTONS_OK:
        return ANSWER_OK;
    case BUTTONS_OK_CANCEL:
        return ANSWER_CANCEL;
    default:
        return ANSWER_NO;
    }
}

int CUi_Script::NextFile(std::string& path)
{
    if (m_files.empty())
        return 0;
    const CEntry entry = m_files.front();
    m_files.pop_front();
    if (!entry.bGiven)
        return 0;
    path = entry.text;
    return 1;
}

int CUi_Script::GetOpenFileName(const std::string&, const std::string&, std::string& path)
{
    return NextFile(path);
}

int CUi_Script::GetSaveFileName(const std::string&, const std::string&, const std::string&,
                                const std::string&, std::string& path)
{
    return NextFile(path);
}

int CUi_Script::AskPin(const Accept& accept, std::string& pin)
{
    // Inside a dialog step, the dialog is what the script looks at.
    if (m_pins.empty() && m_nDialogDepth > 0 && m_pDialogPinPrompt)
        return m_pDialogPinPrompt->AskPin(accept, pin);
    // Each PIN is confirmed as with OK: the program's rule may refuse it and the dialog stays.
    while (!m_pins.empty())
    {
        const CEntry entry = m_pins.front();
        m_pins.pop_front();
        if (!entry.bGiven)
            return 0;
        if (accept(entry.text, "PIN"))
        {
            pin = entry.text;
            return 1;
        }
    }
    return 0;
}
