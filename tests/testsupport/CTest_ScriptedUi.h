#pragma once

#include "support/CUi_Interface.h"

#include <deque>
#include <string>
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

private:
    std::deque<int> m_answers;
    std::vector<CShown> m_shown;
};
