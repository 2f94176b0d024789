#include "ui/CPp_Page.h"

#include "data/CData_All.h"
#include "data/CData_Properties.h"
#include "data/CData_UiText.h"
#include "ui/CListCtrl_RepBar.h"
#include "ui/CUi_Beep.h"
#include "ui/CUi_CharValidator.h"
#include "ui/CUi_Texts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <map>

namespace
{
// Spacing of the pages' layouts (pixels at 100 %; Qt scales them with the screen).
constexpr int LAYOUT_SPACING = 4;
constexpr int GROUP_MARGIN = 6;
constexpr int PAGE_MARGIN = 6;

// The charge multiplier's characters: digits and one decimal comma.
class CPayMultValidator : public QValidator
{
public:
    explicit CPayMultValidator(QObject* pParent) : QValidator(pParent) {}

    State validate(QString& input, int& nPos) const override
    {
        (void)nPos;
        int nCommas = 0;
        for (const QChar ch : input)
        {
            if (ch == QLatin1Char(','))
                ++nCommas;
            else if (!CUi_CharValidator::Allowed(CUi_CharValidator::CLASS_DIGITS, ch))
                return Invalid;
        }
        return nCommas > 1 ? Invalid : Acceptable;
    }
};

// The label text without its mnemonic marks, as a screen reader says it.
QString Spoken(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text.simplified();
}
} // namespace

CPp_Page::CPp_Page(unsigned nTemplate, CData_All* pData, const char* pszCaption, QWidget* pParent)
    : QWidget(pParent), m_nTemplate(nTemplate), m_pData(pData)
{
    CUi_Texts::SetTemplateNumber(this, nTemplate);
    setWindowTitle(QString::fromLatin1(pszCaption));
    setAccessibleName(windowTitle());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pScroll = new QScrollArea(this);
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setWidgetResizable(true);
    m_pContent = new QWidget(m_pScroll);
    m_pScroll->setWidget(m_pContent);
    pLayout->addWidget(m_pScroll);
}

CPp_Page::~CPp_Page() = default;

bool CPp_Page::Fits() const
{
    const QSize needed = m_pContent->minimumSizeHint();
    const QSize room = m_pScroll->maximumViewportSize();
    return needed.width() <= room.width() && needed.height() <= room.height();
}

CData_AllCfg& CPp_Page::Cfg()
{
    return m_pData->m_Cfg;
}

const CData_Properties& CPp_Page::Props()
{
    return CData_Properties::Current();
}

QString CPp_Page::UiText(unsigned nNumber, const char* pszFallback)
{
    const std::string text = CData_UiText(nNumber);
    if (text.empty() && pszFallback)
        return QString::fromLatin1(pszFallback);
    return CUi_Texts::FromCp1252(text);
}

void CPp_Page::OnSetActive()
{
    DocToMembers();
    for (const CBinding& binding : m_bindings)
        binding.load();
    CUi_Texts::ApplyDialog(this, m_nTemplate);
    setAccessibleName(windowTitle());
    TextsApplied();
    UpdateAccessibleNames();
    ApplyProperties();
    m_bLoaded = true;
}

void CPp_Page::OnKillActive()
{
    if (!m_bLoaded)
        return;
    for (const CBinding& binding : m_bindings)
        binding.store();
    MembersToDoc();
}

void CPp_Page::Bind(std::function<void()> load, std::function<void()> store)
{
    m_bindings.push_back({std::move(load), std::move(store)});
}

QLabel* CPp_Page::AddLabel(unsigned nControl, const char* pszText, QWidget* pBuddy)
{
    auto* pLabel = new QLabel(QString::fromLatin1(pszText), m_pContent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    if (pBuddy)
        pLabel->setBuddy(pBuddy);
    return pLabel;
}

QGroupBox* CPp_Page::AddGroup(unsigned nControl, const char* pszText)
{
    auto* pGroup = new QGroupBox(QString::fromLatin1(pszText), m_pContent);
    CUi_Texts::SetControlNumber(pGroup, nControl);
    return pGroup;
}

QPushButton* CPp_Page::AddButton(unsigned nControl, const char* pszText)
{
    auto* pButton = new QPushButton(QString::fromLatin1(pszText), m_pContent);
    CUi_Texts::SetControlNumber(pButton, nControl);
    pButton->setAutoDefault(false);
    return pButton;
}

QLineEdit* CPp_Page::AddEdit(unsigned nControl, int nMaxLength, int nCharClass)
{
    auto* pEdit = new QLineEdit(m_pContent);
    CUi_Texts::SetControlNumber(pEdit, nControl);
    pEdit->setMaxLength(nMaxLength);
    switch (nCharClass)
    {
    case CLASS_NAME:
        pEdit->setValidator(new CUi_CharValidator(CUi_CharValidator::CLASS_NAME, pEdit));
        break;
    case CLASS_DIAL:
        pEdit->setValidator(new CUi_CharValidator(CUi_CharValidator::CLASS_DIAL, pEdit));
        break;
    case CLASS_DIGITS:
        pEdit->setValidator(new CUi_CharValidator(CUi_CharValidator::CLASS_DIGITS, pEdit));
        break;
    case CLASS_PAYMULT:
        pEdit->setValidator(new CPayMultValidator(pEdit));
        break;
    default:
        break;
    }
    // A refused character (or one too many) sounds the error beep.
    connect(pEdit, &QLineEdit::inputRejected, pEdit, [] { CUi_Beep::Error(); });
    return pEdit;
}

QLineEdit* CPp_Page::AddEdit(unsigned nControl, int nMaxLength, int nCharClass, StrField field,
                             StrConvert convert)
{
    QLineEdit* pEdit = AddEdit(nControl, nMaxLength, nCharClass);
    auto loaded = std::make_shared<QString>();
    Bind(
        [this, pEdit, field, loaded]
        {
            pEdit->setText(CUi_Texts::FromCp1252(field(*m_pData)));
            pEdit->setCursorPosition(0);
            *loaded = pEdit->text();
        },
        [this, pEdit, field, loaded, convert]
        {
            if (pEdit->text() == *loaded)
                return;
            const std::string text = CUi_Texts::ToCp1252(pEdit->text());
            if (convert)
                convert(text, field(*m_pData));
            else
                field(*m_pData) = text;
            *loaded = pEdit->text();
        });
    return pEdit;
}

QLineEdit* CPp_Page::AddShow(unsigned nControl, StrField field)
{
    auto* pEdit = new QLineEdit(m_pContent);
    CUi_Texts::SetControlNumber(pEdit, nControl);
    pEdit->setReadOnly(true);
    Bind([this, pEdit, field] { pEdit->setText(CUi_Texts::FromCp1252(field(*m_pData))); }, [] {});
    return pEdit;
}

QCheckBox* CPp_Page::AddCheck(unsigned nControl, const char* pszText, IntField field)
{
    auto* pCheck = new QCheckBox(QString::fromLatin1(pszText), m_pContent);
    CUi_Texts::SetControlNumber(pCheck, nControl);
    auto loaded = std::make_shared<bool>(false);
    Bind(
        [this, pCheck, field, loaded]
        {
            pCheck->setChecked(field(*m_pData) != 0);
            *loaded = pCheck->isChecked();
        },
        [this, pCheck, field, loaded]
        {
            if (pCheck->isChecked() == *loaded)
                return;
            field(*m_pData) = pCheck->isChecked() ? 1 : 0;
            *loaded = pCheck->isChecked();
        });
    return pCheck;
}

QComboBox* CPp_Page::AddCombo(unsigned nControl, ItemList items, IntField field)
{
    auto* pCombo = new QComboBox(m_pContent);
    CUi_Texts::SetControlNumber(pCombo, nControl);
    pCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto loaded = std::make_shared<int>(-1);
    Bind(
        [this, pCombo, items, field, loaded]
        {
            const QSignalBlocker block(pCombo);
            pCombo->clear();
            for (const CItem& item : items())
                pCombo->addItem(item.text, item.nValue);
            // A value without an item shows nothing and stays as it is.
            pCombo->setCurrentIndex(pCombo->findData(field(*m_pData)));
            *loaded = pCombo->currentIndex();
        },
        [this, pCombo, field, loaded]
        {
            if (pCombo->currentIndex() == *loaded || pCombo->currentIndex() < 0)
                return;
            field(*m_pData) = pCombo->currentData().toInt();
            *loaded = pCombo->currentIndex();
        });
    return pCombo;
}

QSlider* CPp_Page::AddSlider(unsigned nControl, int nMin, int nMax, IntField field)
{
    auto* pSlider = new QSlider(Qt::Horizontal, m_pContent);
    CUi_Texts::SetControlNumber(pSlider, nControl);
    pSlider->setRange(nMin, nMax);
    pSlider->setPageStep(1);
    pSlider->setTickPosition(QSlider::TicksBelow);
    pSlider->setTickInterval(1);
    auto loaded = std::make_shared<int>(0);
    Bind(
        [this, pSlider, field, loaded]
        {
            pSlider->setValue(field(*m_pData));
            *loaded = pSlider->value();
        },
        [this, pSlider, field, loaded]
        {
            if (pSlider->value() == *loaded)
                return;
            field(*m_pData) = pSlider->value();
            *loaded = pSlider->value();
        });
    return pSlider;
}

QButtonGroup* CPp_Page::AddRadios(const std::vector<CRadio>& radios, IntField field)
{
    auto* pGroup = new QButtonGroup(m_pContent);
    for (const CRadio& radio : radios)
    {
        auto* pButton = new QRadioButton(QString::fromLatin1(radio.pszText), m_pContent);
        CUi_Texts::SetControlNumber(pButton, radio.nControl);
        pGroup->addButton(pButton, radio.nValue);
    }
    auto loaded = std::make_shared<int>(-1);
    Bind(
        [this, pGroup, field, loaded]
        {
            QAbstractButton* pButton = pGroup->button(field(*m_pData));
            if (pButton)
                pButton->setChecked(true);
            else if (QAbstractButton* pChecked = pGroup->checkedButton())
            {
                pGroup->setExclusive(false);
                pChecked->setChecked(false);
                pGroup->setExclusive(true);
            }
            *loaded = pGroup->checkedId();
        },
        [this, pGroup, field, loaded]
        {
            if (pGroup->checkedId() == *loaded || pGroup->checkedId() == -1)
                return;
            field(*m_pData) = pGroup->checkedId();
            *loaded = pGroup->checkedId();
        });
    return pGroup;
}

CPp_Page::ItemList CPp_Page::NumberItems(int nFirst, int nLast, int nShown)
{
    return [nFirst, nLast, nShown]
    {
        std::vector<CItem> items;
        for (int n = nFirst; n <= nLast; ++n)
            items.push_back({n, QString::number(n + nShown)});
        return items;
    };
}

CPp_Page::ItemList CPp_Page::TextItems(std::vector<CTextItem> table)
{
    // The texts are looked up at every loading, so that they follow the language in force.
    return [table]
    {
        std::vector<CItem> items;
        for (const CTextItem& row : table)
            items.push_back({row.nValue, row.nText ? UiText(row.nText, row.pszDefault)
                                                   : QString::fromLatin1(row.pszDefault)});
        return items;
    };
}

void CPp_Page::FinishControls()
{
    // Pages are laid out tight, so that they fit the smallest window; a form row whose label and
    // field do not fit side by side (longer texts of a language file) puts the field below.
    const QList<QLayout*> layouts = m_pContent->findChildren<QLayout*>();
    for (QLayout* pLayout : layouts)
    {
        pLayout->setSpacing(LAYOUT_SPACING);
        if (auto* pForm = qobject_cast<QFormLayout*>(pLayout))
            pForm->setRowWrapPolicy(QFormLayout::WrapLongRows);
        if (qobject_cast<QGroupBox*>(pLayout->parentWidget()))
            pLayout->setContentsMargins(GROUP_MARGIN, GROUP_MARGIN, GROUP_MARGIN, GROUP_MARGIN);
    }
    if (QLayout* pTop = m_pContent->layout())
        pTop->setContentsMargins(PAGE_MARGIN, PAGE_MARGIN, PAGE_MARGIN, PAGE_MARGIN);

    // Focusable numbered controls in the order of their numbers.
    std::multimap<unsigned, QWidget*> order;
    const QList<QWidget*> children = m_pContent->findChildren<QWidget*>();
    for (QWidget* pChild : children)
    {
        const unsigned nControl = CUi_Texts::ControlNumber(pChild);
        if (nControl != 0 && pChild->focusPolicy() != Qt::NoFocus)
            order.emplace(nControl, pChild);
    }
    QWidget* pPrevious = nullptr;
    for (const auto& entry : order)
    {
        if (pPrevious)
            QWidget::setTabOrder(pPrevious, entry.second);
        pPrevious = entry.second;
    }
    UpdateAccessibleNames();
}

void CPp_Page::UpdateAccessibleNames()
{
    const QList<QLabel*> labels = m_pContent->findChildren<QLabel*>();
    for (QLabel* pLabel : labels)
        if (QWidget* pBuddy = pLabel->buddy())
            pBuddy->setAccessibleName(Spoken(pLabel->text()));
    const QList<QGroupBox*> groups = m_pContent->findChildren<QGroupBox*>();
    for (QGroupBox* pGroup : groups)
        pGroup->setAccessibleName(Spoken(pGroup->title()));
}

void CPp_Page::SetShown(QWidget* pWidget, bool bShown)
{
    if (pWidget)
        pWidget->setVisible(bShown);
}

void CPp_Page::SetShown(unsigned nControl, const QWidget* pRoot, bool bShown)
{
    SetShown(CUi_Texts::FindControl(pRoot, nControl), bShown);
}

void CPp_Page::SetShownWithLabel(unsigned nControl, bool bShown)
{
    QWidget* pField = CUi_Texts::FindControl(this, nControl);
    SetShown(pField, bShown);
    const QList<QLabel*> labels = m_pContent->findChildren<QLabel*>();
    for (QLabel* pLabel : labels)
        if (pField && pLabel->buddy() == pField)
            SetShown(pLabel, bShown);
}

void CPp_Page::SetEnabledWithLabel(unsigned nControl, bool bEnabled)
{
    QWidget* pField = CUi_Texts::FindControl(this, nControl);
    if (!pField)
        return;
    pField->setEnabled(bEnabled);
    const QList<QLabel*> labels = m_pContent->findChildren<QLabel*>();
    for (QLabel* pLabel : labels)
        if (pLabel->buddy() == pField)
            pLabel->setEnabled(bEnabled);
}

QString CPp_Page::CellText(const std::string& text)
{
    return QStringLiteral("  ") + CUi_Texts::FromCp1252(text);
}

CListCtrl_RepBar* CPp_Page::AddList(unsigned nControl)
{
    m_pList = new CListCtrl_RepBar(m_pContent);
    CUi_Texts::SetControlNumber(m_pList, nControl);
    connect(m_pList, &CListCtrl_RepBar::RowOpened, this,
            [this](int nRow)
            {
                if (nRow >= 0 && EditRow(nRow))
                    DocToMembers();
            });
    return m_pList;
}

int CPp_Page::EditRow(int nRow)
{
    (void)nRow;
    return 0;
}

int CPp_Page::EditSelected()
{
    const int nRow = m_pList ? m_pList->SelectedRow() : -1;
    if (nRow < 0)
    {
        CUi_Beep::Error();
        return 0;
    }
    if (!EditRow(nRow))
        return 0;
    DocToMembers();
    return 1;
}
