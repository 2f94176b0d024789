#pragma once

#include "support/CUi_Interface.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

// A user who answers from a queue filled in advance and remembers everything shown. Installed for
// its lifetime; the silent default comes back when it is destroyed.
class CTest_ScriptedUi : public CUi_Interface
{
public:
    struct CShown
    {
        std::string text;
        std::string caption;
        EIcon icon;
        EButtons buttons;
    };

    // A file dialog as it was asked.
    struct CFileAsked
    {
        bool bSave;
        std::string filter;
        std::string defaultExt;
        std::string proposedName;
        std::string initialDir;
    };

    CTest_ScriptedUi() { CUi_Interface::Set(this); }
    ~CTest_ScriptedUi() override { CUi_Interface::Set(nullptr); }

    void QueueAnswer(int nAnswer) { m_answers.push_back(nAnswer); }

    int MessageBox(const std::string& text, const std::string& caption, EIcon icon, EButtons buttons) override
    {
        m_shown.push_back({text, caption, icon, buttons});
        if (m_answers.empty())
            return buttons == BUTTONS_YES_NO || buttons == BUTTONS_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
        const int n = m_answers.front();
        m_answers.pop_front();
        return n;
    }

    const std::vector<CShown>& Shown() const { return m_shown; }

    // The next file dialog answers OK with this path; QueueFileCancel lets it be cancelled. With
    // nothing queued a file dialog is cancelled.
    void QueueFileName(const std::string& path) { m_files.push_back({true, path}); }
    void QueueFileCancel() { m_files.push_back({false, std::string()}); }

    int GetOpenFileName(const std::string& filter, const std::string& initialDir, std::string& path) override
    {
        m_fileAsked.push_back({false, filter, std::string(), std::string(), initialDir});
        return NextFile(path);
    }
    int GetSaveFileName(const std::string& filter, const std::string& defaultExt,
                        const std::string& proposedName, const std::string& initialDir,
                        std::string& path) override
    {
        m_fileAsked.push_back({true, filter, defaultExt, proposedName, initialDir});
        return NextFile(path);
    }

    const std::vector<CFileAsked>& FilesAsked() const { return m_fileAsked; }

private:
    int NextFile(std::string& path)
    {
        if (m_files.empty())
            return 0;
        const auto next = m_files.front();
        m_files.pop_front();
        if (next.first)
            path = next.second;
        return next.first ? 1 : 0;
    }

    std::deque<std::pair<bool, std::string>> m_files;
    std::vector<CFileAsked> m_fileAsked;
    std::deque<int> m_answers;
    std::vector<CShown> m_shown;
};
