#include "ui/CDlg_About.h"

#include "data/CData_Version.h"
#include "support/CUi_Interface.h"
#include "support/CVersion_Info.h"
#include "ui/CDlg_Version.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace
{
// IDOK
constexpr unsigned IDC_OK = 1;
constexpr int ICON_SIZE = 32;

// The people who wrote the program, for the box that only Shift, Ctrl and a right double-click
// open (code page 1252).
const char* const s_apszEngineers[] = {
    "Henrike Aldermann",
    "Matthias Oberl\xE4nder",
    "Jens Korvath",
    "Sabine Treuholt",
};
} // namespace

CDlg_About::CDlg_About(const CData_Version* pVersion, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_pVersion(pVersion), m_pText(new QLabel(this))
{
    setWindowTitle(QStringLiteral("About R740Cf"));

    auto* pIcon = new QLabel(this);
    const QIcon icon = QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                           : QApplication::windowIcon();
    pIcon->setPixmap(icon.pixmap(ICON_SIZE, ICON_SIZE));
    pIcon->setAlignment(Qt::AlignTop);

    CUi_Texts::SetControlNumber(m_pText, IDC_ABOUT_STATIC);
    m_pText->setTextFormat(Qt::PlainText);
    // The double-clicks belong to the box, wherever in it they land.
    m_pText->setAttribute(Qt::WA_TransparentForMouseEvents);
    pIcon->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* pOk = pButtons->button(QDialogButtonBox::Ok);
    pOk->setText(QStringLiteral("OK"));
    CUi_Texts::SetControlNumber(pOk, IDC_OK);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(pIcon);
    pTop->addSpacing(ICON_SIZE / 2);
    pTop->addWidget(m_pText, 1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addWidget(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    m_pText->setText(CUi_Texts::FromCp1252(AboutText()));
}

std::string CDlg_About::AboutText()
{
    return CVersion_Info::AboutText(CVersion_Info::CurrentBundle(), CVersion_Info::BuildDate(),
                                    CVersion_Info::BuildTime());
}

const char* CDlg_About::EngineersCaption()
{
    return "Development Engineers";
}

std::string CDlg_About::EngineersText()
{
    std::string text;
    for (const char* pszName : s_apszEngineers)
        text += (text.empty() ? "" : "\n") + std::string(pszName);
    return text;
}

void CDlg_About::TextsApplied()
{
    // A language file may carry a text for control 9271; the version text is always the box's.
    m_pText->setText(CUi_Texts::FromCp1252(AboutText()));
}

void CDlg_About::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const Qt::KeyboardModifiers mods = pEvent->modifiers();
    if (pEvent->button() == Qt::LeftButton)
    {
        OpenVersionDialog();
        return;
    }
    if (pEvent->button() == Qt::RightButton && (mods & Qt::ShiftModifier) && (mods & Qt::ControlModifier))
    {
        CUi_Interface::Get().MessageBox(EngineersText(), EngineersCaption(), CUi_Interface::ICON_INFORMATION,
                                        CUi_Interface::BUTTONS_OK);
        return;
    }
    CUi_Dialog::mouseDoubleClickEvent(pEvent);
}

void CDlg_About::OpenVersionDialog()
{
    if (!m_pVersion)
        return;
    CDlg_Version dlg(*m_pVersion, this);
    dlg.exec();
}
