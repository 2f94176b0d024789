#include "ui/CUi_Texts.h"

#include "support/CLang_Symbols.h"
#include "support/CLang_Text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVariant>

const char* const CUi_Texts::CONTROL_PROPERTY = "r740Control";
const char* const CUi_Texts::TEMPLATE_PROPERTY = "r740Template";
const char* const CUi_Texts::COMMAND_PROPERTY = "r740Command";
const char* const CUi_Texts::OWN_TITLE_PROPERTY = "r740OwnTitle";

namespace
{
// The characters code page 1252 puts at 0x80 to 0x9F; 0 marks the five unassigned bytes, which
// pass through as the C1 control of the same number.
const char16_t s_cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const CLang_Text* Store(const CLang_Text* pText)
{
    return pText ? pText : CLang_Text::Get();
}

unsigned UIntProperty(const QObject* pObject, const char* pszName)
{
    if (!pObject)
        return 0;
    bool bOk = false;
    const unsigned n = pObject->property(pszName).toUInt(&bOk);
    return bOk ? n : 0;
}
} // namespace

void CUi_Texts::SetControlNumber(QWidget* pWidget, unsigned nControl)
{
    pWidget->setProperty(CONTROL_PROPERTY, nControl);
}

unsigned CUi_Texts::ControlNumber(const QObject* pObject)
{
    return UIntProperty(pObject, CONTROL_PROPERTY);
}

QWidget* CUi_Texts::FindControl(const QWidget* pRoot, unsigned nControl)
{
    if (!pRoot || nControl == 0)
        return nullptr;
    const QList<QWidget*> children = pRoot->findChildren<QWidget*>();
    for (QWidget* pChild : children)
        if (ControlNumber(pChild) == nControl)
            return pChild;
    return nullptr;
}

void CUi_Texts::SetTemplateNumber(QWidget* pWidget, unsigned nTemplate)
{
    pWidget->setProperty(TEMPLATE_PROPERTY, nTemplate);
}

unsigned CUi_Texts::TemplateNumber(const QObject* pObject)
{
    return UIntProperty(pObject, TEMPLATE_PROPERTY);
}

void CUi_Texts::SetCommand(QAction* pAction, unsigned nCommand)
{
    pAction->setProperty(COMMAND_PROPERTY, nCommand);
}

unsigned CUi_Texts::Command(const QObject* pAction)
{
    return UIntProperty(pAction, COMMAND_PROPERTY);
}

QString CUi_Texts::FromCp1252(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
    {
        const unsigned char b = static_cast<unsigned char>(c);
        const char16_t high = b >= 0x80 && b < 0xA0 ? s_cp1252High[b - 0x80] : 0;
        text += QChar(high ? high : static_cast<char16_t>(b));
    }
    return text;
}

std::string CUi_Texts::ToCp1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const QChar ch : text)
    {
        const char16_t u = ch.unicode();
        char b = '?'; // not in the code page
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            b = static_cast<char>(u);
        else
            for (int i = 0; i < 32; ++i)
                if (s_cp1252High[i] == u || (s_cp1252High[i] == 0 && u == 0x80 + i))
                {
                    b = static_cast<char>(0x80 + i);
                    break;
                }
        bytes += b;
    }
    return bytes;
}

int CUi_Texts::SetWidgetText(QWidget* pWidget, const QString& text)
{
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
        pButton->setText(text);
    else if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        pLabel->setText(text);
    else if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget))
        pGroup->setTitle(text);
    else if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        pEdit->setText(text);
    else if (!pWidget->setProperty("text", text))
        pWidget->setWindowTitle(text);
    return 1;
}

void CUi_Texts::ApplyDialog(QWidget* pDialog, unsigned nTemplate, const CLang_Text* pText)
{
    pText = Store(pText);
    if (!pDialog || !pText)
        return;
    if (auto* pBar = pDialog->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly))
    {
        const QList<QAction*> entries = pBar->actions();
        for (int p = 0; p < entries.size(); ++p)
        {
            const std::string text =
                pText->GetPopupText(CLang_Symbols::PopupNumber(static_cast<int>(nTemplate), p));
            if (text.empty())
                continue;
            entries[p]->setText(FromCp1252(text));
            SetCommand(entries[p], static_cast<unsigned>(p));
        }
    }
    const std::string caption = pText->GetDlgCaption(nTemplate);
    if (!caption.empty())
        pDialog->setWindowTitle(FromCp1252(caption));
    const QList<QWidget*> children = pDialog->findChildren<QWidget*>();
    for (QWidget* pChild : children)
    {
        const unsigned nControl = ControlNumber(pChild);
        if (nControl == 0)
            continue;
        const std::string text = pText->GetControlText(nTemplate, nControl);
        if (!text.empty())
            SetWidgetText(pChild, FromCp1252(text));
    }
}

QString CUi_Texts::PageCaption(unsigned nTemplate, const CLang_Text* pText)
{
    pText = Store(pText);
    return pText ? FromCp1252(pText->GetDlgCaption(nTemplate)) : QString();
}

int CUi_Texts::ApplyPageCaption(QWidget* pPage, unsigned nTemplate, const CLang_Text* pText)
{
    if (!pPage)
        return 0;
    const QString caption = PageCaption(nTemplate, pText);
    if (caption.isEmpty())
        return 0;
    pPage->setWindowTitle(caption);
    pPage->setProperty(OWN_TITLE_PROPERTY, true);
    return 1;
}

int CUi_Texts::ApplyTabTitle(QTabWidget* pSheet, int nIndex, unsigned nTemplate, const CLang_Text* pText)
{
    if (!pSheet || nIndex < 0 || nIndex >= pSheet->count())
        return 0;
    QWidget* pPage = pSheet->widget(nIndex);
    if (!ApplyPageCaption(pPage, nTemplate, pText))
        return 0;
    pSheet->setTabText(nIndex, pPage->windowTitle());
    return 1;
}

void CUi_Texts::ApplyMenu(QMenu* pMenu, const CUpdate& update, const CLang_Text* pText)
{
    pText = Store(pText);
    if (!pMenu)
        return;
    const QList<QAction*> actions = pMenu->actions();
    for (QAction* pAction : actions)
    {
        if (pAction->isSeparator())
            continue;
        if (QMenu* pSub = pAction->menu())
        {
            ApplyMenu(pSub, update, pText);
            continue;
        }
        const unsigned nCommand = Command(pAction);
        if (pText && nCommand)
        {
            const std::string current = ToCp1252(pAction->text());
            const std::string text = pText->MenuItemDisplayText(nCommand, current);
            if (text != current)
                pAction->setText(FromCp1252(text));
        }
        if (update)
            update(pAction);
    }
}

void CUi_Texts::AttachMenu(QMenu* pMenu, const CUpdate& update)
{
    QObject::connect(pMenu, &QMenu::aboutToShow, pMenu, [pMenu, update] { ApplyMenu(pMenu, update); });
}
