#include "ui/CDlg_Macro.h"

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Resource.h"
#include "shell/CApp.h"
#include "support/CLang_Info.h"
#include "ui/CUi_CharValidator.h"
#include "ui/CUi_KeyPicture.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace
{
QLineEdit* Coordinate(QWidget* pParent, unsigned nControl)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setReadOnly(true);
    pEdit->setFocusPolicy(Qt::NoFocus);
    pEdit->setMaximumWidth(pEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    CUi_Texts::SetControlNumber(pEdit, nControl);
    return pEdit;
}
} // namespace

CDlg_Macro::CDlg_Macro(const CData_KeyMap& map, const QString& picturePath,
                       const CData_MacroCode::CodeBytes& abCode, const std::string& name, int nTextLimit,
                       const std::string& caption, QWidget* pParent)
    : CUi_Dialog(TEMPLATE, pParent), m_map(map), m_sequence(abCode), m_abCode(abCode), m_name(name),
      m_nTextLimit(nTextLimit), m_caption(caption)
{
    setWindowTitle(tr("Macro recorder"));

    m_pPicture = new CUi_KeyPicture(m_map, this);
    m_pPicture->Load(picturePath);
    connect(m_pPicture, &CUi_KeyPicture::KeyClicked, this, [this](int nCode) { AddKey(nCode); });

    m_pKeys = new QListWidget(this);
    CUi_Texts::SetControlNumber(m_pKeys, IDC_KEYS);
    m_pKeys->setFixedWidth(KEY_LIST_WIDTH + 24);
    for (int k = 0; k < CData_KeyMap::KEY_COUNT; ++k)
    {
        const CData_KeyMap::CKey& key = m_map.Key(k);
        if (!key.Exists())
            continue;
        auto* pItem = new QListWidgetItem(CUi_Texts::FromCp1252(key.strName), m_pKeys);
        pItem->setData(Qt::UserRole, key.nCode);
    }
    connect(m_pKeys, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* pItem) { AddKey(pItem->data(Qt::UserRole).toInt()); });

    m_pSequence = new QListWidget(this);
    CUi_Texts::SetControlNumber(m_pSequence, IDC_SEQUENCE);
    m_pSequence->setFixedWidth(KEY_LIST_WIDTH + 24);
    connect(m_pSequence, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* pItem) { RemoveEntry(m_pSequence->row(pItem)); });
    // From the keyboard a list entry is chosen with Return or the space bar (a click chooses at
    // once; activation would choose a clicked entry twice on some platforms).
    for (QListWidget* pList : {m_pKeys, m_pSequence})
        for (const QKeySequence& key :
             {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Space)})
        {
            auto* pShortcut = new QShortcut(key, pList, nullptr, nullptr, Qt::WidgetShortcut);
            connect(pShortcut, &QShortcut::activated, this,
                    [this, pList]
                    {
                        QListWidgetItem* pItem = pList->currentItem();
                        if (pItem && pList == m_pKeys)
                            AddKey(pItem->data(Qt::UserRole).toInt());
                        else if (pItem)
                            RemoveEntry(pList->row(pItem));
                    });
        }

    m_pProgress = new QProgressBar(this);
    CUi_Texts::SetControlNumber(m_pProgress, IDC_PROGRESS);
    m_pProgress->setRange(0, CData_MacroCode::DIGIT_MAX);
    m_pProgress->setFormat(QStringLiteral("%v / %m"));

    m_pName = new QLineEdit(CUi_Texts::FromCp1252(name), this);
    CUi_Texts::SetControlNumber(m_pName, IDC_NAME);
    CUi_CharValidator::Attach(m_pName, CUi_CharValidator::CLASS_NAME, nTextLimit);
    // A macro without a name shows this instead; it is no name of its own.
    m_pName->setPlaceholderText(String(CData_MacroCode::TEXT_NO_NAME));

    m_pMouseX = Coordinate(this, IDC_MOUSE_X);
    m_pMouseY = Coordinate(this, IDC_MOUSE_Y);
    connect(m_pPicture, &CUi_KeyPicture::MouseMoved, this,
            [this](int x, int y)
            {
                m_pMouseX->setText(QString::number(x));
                m_pMouseY->setText(QString::number(y));
            });

    auto* pPictureArea = new QScrollArea(this);
    pPictureArea->setWidget(m_pPicture);
    pPictureArea->setFrameShape(QFrame::NoFrame);
    pPictureArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pPicture->resize(m_pPicture->sizeHint());
    const QSize picture = m_pPicture->sizeHint();
    pPictureArea->setMinimumSize(std::min(picture.width(), 900) + 4, std::min(picture.height(), 600) + 4);

    auto* pMouse = new QHBoxLayout;
    pMouse->addWidget(new QLabel(QStringLiteral("x"), this));
    pMouse->addWidget(m_pMouseX);
    pMouse->addWidget(new QLabel(QStringLiteral("y"), this));
    pMouse->addWidget(m_pMouseY);
    pMouse->addStretch(1);

    auto* pLists = new QGridLayout;
    auto* pKeysLabel = new QLabel(tr("Keys"), this);
    CUi_Texts::SetControlNumber(pKeysLabel, IDC_KEYS_STATIC);
    auto* pSequenceLabel = new QLabel(tr("Recorded"), this);
    CUi_Texts::SetControlNumber(pSequenceLabel, IDC_SEQUENCE_STATIC);
    pLists->addWidget(pKeysLabel, 0, 0);
    pLists->addWidget(pSequenceLabel, 0, 1);
    pLists->addWidget(m_pKeys, 1, 0);
    pLists->addWidget(m_pSequence, 1, 1);
    pLists->setRowStretch(1, 1);

    auto* pName = new QHBoxLayout;
    auto* pNameLabel = new QLabel(tr("&Name"), this);
    pNameLabel->setBuddy(m_pName);
    CUi_Texts::SetControlNumber(pNameLabel, IDC_NAME_STATIC);
    pName->addWidget(pNameLabel);
    pName->addWidget(m_pName, 1);

    auto* pTop = new QHBoxLayout;
    auto* pLeft = new QVBoxLayout;
    pLeft->addWidget(pPictureArea, 1);
    pLeft->addLayout(pMouse);
    pTop->addLayout(pLeft, 1);
    pTop->addLayout(pLists);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop, 1);
    pLayout->addWidget(m_pProgress);
    pLayout->addLayout(pName);
    pLayout->addWidget(CreateButtons());

    for (const int nCode : m_sequence.Codes())
    {
        const CData_KeyMap::CKey& key = m_map.Key(nCode);
        // A code the map does not know stays in the sequence under its number.
        const QString text = key.Exists()
                                 ? CUi_Texts::FromCp1252(key.strName)
                                 : QStringLiteral("(%1)").arg(nCode, 2, 16, QLatin1Char('0')).toUpper();
        auto* pItem = new QListWidgetItem(text, m_pSequence);
        pItem->setData(Qt::UserRole, nCode);
    }
    Refresh();
    OrderTabsByControlNumber();
}

void CDlg_Macro::TextsApplied()
{
    setWindowTitle(windowTitle() + QStringLiteral(", ") + String(TEXT_KEY) + QLatin1Char(' ') +
                   CUi_Texts::FromCp1252(m_caption));
}

CData_KeyMap CDlg_Macro::LoadKeyMap(int nPicture)
{
    const std::string name = CData_KeyMap::MapFileName(nPicture);
    CApp* pApp = CApp::Get();
    const CLang_Info* pInfo = pApp ? pApp->LangInfo() : nullptr;
    std::string path = pInfo ? pInfo->MapFilePath(name) : std::string();
    // An installed program started elsewhere finds its maps below its own directory.
    const std::string exeDir = CPlatform_Path::ExecutableDirectory();
    if (!CPlatform_Path::FileExists(path) && !exeDir.empty())
        path = CLang_Info::MapFilePathIn(exeDir, pInfo ? pInfo->CurrentLanguage() : "UK", name);
    CData_KeyMap map;
    map.ReadFile(path);
    return map;
}

QString CDlg_Macro::PicturePath(int nPicture)
{
    const CPlatform_Resource* pResource = CPlatform_Resource::Current();
    if (!pResource)
        return QString();
    return QString::fromStdString(pResource->PicturePath(CData_KeyMap::BitmapNumber(nPicture)));
}

CData_MacroCode::EFit CDlg_Macro::AddKey(int nCode)
{
    const CData_MacroCode::EFit fit = m_sequence.Append(nCode);
    switch (fit)
    {
    case CData_MacroCode::FIT_OK:
    {
        auto* pItem = new QListWidgetItem(CUi_Texts::FromCp1252(m_map.Key(nCode).strName), m_pSequence);
        pItem->setData(Qt::UserRole, nCode);
        m_pSequence->scrollToItem(pItem);
        break;
    }
    case CData_MacroCode::FIT_NO_ROOM_TWO_DIGITS:
        Message(CData_MacroCode::TEXT_NO_ROOM_TWO_DIGITS, CUi_Interface::ICON_STOP);
        break;
    case CData_MacroCode::FIT_FULL:
        Message(CData_MacroCode::TEXT_FULL, CUi_Interface::ICON_STOP);
        break;
    case CData_MacroCode::FIT_BAD_CODE:
        QApplication::beep();
        break;
    }
    Refresh();
    return fit;
}

void CDlg_Macro::RemoveEntry(int i)
{
    if (i < 0 || !m_sequence.Remove(static_cast<size_t>(i)))
        return;
    delete m_pSequence->takeItem(i);
    Refresh();
}

void CDlg_Macro::Refresh()
{
    m_pProgress->setValue(m_sequence.DigitsUsed());
    m_pSequence->setToolTip(QString::fromStdString(m_sequence.DisplayText()));
}

void CDlg_Macro::accept()
{
    m_abCode = m_sequence.Encode();
    m_name = CUi_Texts::ToCp1252(m_pName->text());
    CUi_Dialog::accept();
}
