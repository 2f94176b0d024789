#pragma once

// Page "Alarm calls" (template 7001): three alarm calls, each with its setting, date and time, and
// on phone types whose alarm calls carry one, a text in two lines.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_AlarmCall : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7001;
    static constexpr const char* CAPTION = "Alarm calls";
    // Each line of an alarm call's text holds half of the phone's 42 characters.
    static constexpr int TEXT_LINE_MAX = 21;

    explicit CPpS_AlarmCall(CApp& app, QWidget* pParent = nullptr);

    void ApplyProperties() override;
};
