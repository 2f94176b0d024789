#pragma once

// What a dialog or page still shows in the program's own English under another language: its
// caption and every numbered label, button and group box whose text the language file does not
// hold. Numbered fields that show data (an entry's number, a slot's name, choices made of
// interface strings) and the module pages' captions (one text per slot) are not listed.

#include "support/CLang_Text.h"
#include "ui/CUi_Texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <set>
#include <string>
#include <vector>

inline std::vector<std::string> UntranslatedTexts(const QWidget* pRoot, unsigned nTemplate)
{
    std::vector<std::string> missing;
    const CLang_Text* pText = CLang_Text::Get();
    if (!pText)
        return {"no language file"};
    static const std::set<std::string> s_shownData = {"1260:1262", "1910:1912", "7015:9162", "7004:9128",
                                                      "1700:1721", "1700:1754", "1700:9142", "7018 caption"};
    const std::string where = std::to_string(nTemplate);
    if (pText->GetDlgCaption(nTemplate).empty() && !s_shownData.count(where + " caption"))
        missing.push_back(where + " caption");
    for (const QWidget* pWidget : pRoot->findChildren<QWidget*>())
    {
        const unsigned nControl = CUi_Texts::ControlNumber(pWidget);
        QString shown;
        if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
            shown = pLabel->text();
        else if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget))
            shown = pButton->text();
        else if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget))
            shown = pGroup->title();
        if (nControl == 0 || shown.trimmed().isEmpty() ||
            s_shownData.count(where + ":" + std::to_string(nControl)))
            continue;
        if (pText->GetControlText(nTemplate, nControl).empty())
            missing.push_back(where + ":" + std::to_string(nControl) + " " + shown.toStdString());
    }
    return missing;
}
