#include "ui/CDlg_Import_NameMsn.h"

#include "ui/CUi_FileField.h"
#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
// Control numbers of the template.
constexpr unsigned IDC_IMPORT_BTN_FILE = 1642;
constexpr unsigned IDC_STATIC_PREFIX = 6044;
constexpr unsigned IDC_STATIC_FILE = 6045;
constexpr unsigned IDC_STATIC_NAME_COLUMN = 6046;
constexpr unsigned IDC_STATIC_NUMBER_COLUMN = 6047;
constexpr unsigned IDC_STATIC_FIRST_LINE = 6048;
constexpr unsigned IDC_STATIC_MAX_ENTRIES = 6049;
constexpr unsigned IDS_STR_IMPORT_FILES = 430;

QLabel* Label(const char* pszText, unsigned nControl, QWidget* pParent)
{
    auto* pLabel = new QLabel(QString::fromLatin1(pszText), pParent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    return pLabel;
}

QSpinBox* Spin(const char* pszName, int nMin, int nMax, QWidget* pParent)
{
    auto* pSpin = new QSpinBox(pParent);
    pSpin->setObjectName(pszName);
    pSpin->setRange(nMin, nMax);
    return pSpin;
}
} // namespace

CDlg_Import_NameMsn::CDlg_Import_NameMsn(QWidget* pParent)
    : CUi_Dialog(IDD, pParent), m_pPrefix(new QLineEdit(this)),
      m_pFile(new CUi_FileField(IDC_IMPORT_BTN_FILE, IDS_STR_IMPORT_FILES, this)),
      m_pNameColumn(Spin("nameColumn", 1, CImport_NameMsn::POSITION_MAX, this)),
      m_pNumberColumn(Spin("numberColumn", 1, CImport_NameMsn::POSITION_MAX, this)),
      m_pFirstLine(Spin("firstLine", 1, CImport_NameMsn::FIRST_LINE_MAX, this)),
      m_pMaxEntries(Spin("maxEntries", 1, CImport_NameMsn::ENTRIES_MAX, this))
{
    setWindowTitle(tr("Import names and numbers"));
    m_pPrefix->setObjectName("prefix");
    m_pPrefix->setMaxLength(static_cast<int>(CImport_NameMsn::PREFIX_MAX));

    auto* pForm = new QFormLayout;
    pForm->addRow(Label("Number prefix", IDC_STATIC_PREFIX, this), m_pPrefix);
    pForm->addRow(Label("File name", IDC_STATIC_FILE, this), m_pFile);
    pForm->addRow(Label("Name column", IDC_STATIC_NAME_COLUMN, this), m_pNameColumn);
    pForm->addRow(Label("Number column", IDC_STATIC_NUMBER_COLUMN, this), m_pNumberColumn);
    pForm->addRow(Label("First line", IDC_STATIC_FIRST_LINE, this), m_pFirstLine);
    pForm->addRow(Label("Maximum number of entries", IDC_STATIC_MAX_ENTRIES, this), m_pMaxEntries);

    QDialogButtonBox* pButtons = CreateButtons();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pButtons);
    SetSettings(CImport_NameMsnSettings());
}

CImport_NameMsnSettings CDlg_Import_NameMsn::Settings() const
{
    CImport_NameMsnSettings settings;
    settings.prefix = CUi_Texts::ToCp1252(m_pPrefix->text());
    settings.fileName = m_pFile->Path();
    settings.nNameColumn = m_pNameColumn->value() - 1;
    settings.nNumberColumn = m_pNumberColumn->value() - 1;
    settings.nFirstLine = m_pFirstLine->value() - 1;
    settings.nMaxEntries = m_pMaxEntries->value();
    return settings;
}

void CDlg_Import_NameMsn::SetSettings(const CImport_NameMsnSettings& settings)
{
    m_pPrefix->setText(CUi_Texts::FromCp1252(settings.prefix));
    m_pFile->SetPath(settings.fileName);
    m_pNameColumn->setValue(settings.nNameColumn + 1);
    m_pNumberColumn->setValue(settings.nNumberColumn + 1);
    m_pFirstLine->setValue(settings.nFirstLine + 1);
    m_pMaxEntries->setValue(settings.nMaxEntries);
}
