#include "ui/CUi_Script.h"

#include "platform/CPlatform_File.h"
#include "support/Trace.h"
#include "ui/CMainFrame.h"
#include "ui/CUi_TransferRunner.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QTimer>

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
        else if (word == "command")
        {
            char* pEnd = nullptr;
            const unsigned long n = std::strtoul(value.c_str(), &pEnd, 10);
            bKnown = !value.empty() && *pEnd == '\0' && n > 0 && n <= 0xFFFF;
            if (bKnown)
                m_steps.push_back({CStep::STEP_COMMAND, static_cast<unsigned>(n), std::string()});
        }
        else if (word == "screenshot" && !value.empty())
            m_steps.push_back({CStep::STEP_SCREENSHOT, 0, value});
        else if (word == "quit" && value.empty())
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
    }
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
    QTimer::singleShot(0, &frame, [this, &frame] { RunCommands(frame); });
}

void CUi_Script::RunCommands(CMainFrame& frame)
{
    for (const CStep& step : m_steps)
    {
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
            QApplication::processEvents();
            if (!frame.grab().save(QString::fromLocal8Bit(step.path.c_str()), "PNG"))
                Log("screenshot failed: " + step.path);
            break;
        case CStep::STEP_COMMAND:
            TraceLine(s_szClass, "command ", std::to_string(step.nCommand).c_str());
            // As the menu item does when it is chosen, and only when it could be chosen.
            frame.UpdateCommandUI();
            if (QAction* pAction = frame.Action(step.nCommand))
            {
                if (pAction->isEnabled())
                    pAction->trigger();
                else
                    Log("command " + std::to_string(step.nCommand) + " not enabled");
            }
            else if (!frame.OnCommand(step.nCommand))
                Log("command " + std::to_string(step.nCommand) + " not enabled");
            QApplication::processEvents();
            break;
        }
    }
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
