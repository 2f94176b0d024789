#include "ui/CDlg_Import_NameMsn_Ex.h"

#include "support/CUi_Interface.h"
#include "ui/CUi_FileField.h"
#include "ui/CUi_Texts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
// Control numbers of the template.
constexpr unsigned IDC_IMPORT_BTN_DEFAULT = 1640;
constexpr unsigned IDC_IMPORT_BTN_PRIEVIEW = 1641;
constexpr unsigned IDC_IMPORT_BTN_FILE = 1642;
constexpr unsigned IDC_STATIC_PREFIX = 6025;
constexpr unsigned IDC_STATIC_FILE = 6026;
constexpr unsigned IDC_STATIC_COLUMN = 6027;
constexpr unsigned IDC_STATIC_TOKEN = 6028;
constexpr unsigned IDC_STATIC_FIELDS = 6029; // number, name parts 1 to 4: 6029 to 6033
constexpr unsigned IDC_STATIC_PER_RECORD = 6034;
constexpr unsigned IDC_STATIC_MAX_ENTRIES = 6035;
constexpr unsigned IDC_STATIC_FIRST_LINE = 6036;
constexpr unsigned IDC_STATIC_PER_RECORD_HINT = 6037;
constexpr unsigned IDC_STATIC_UNUSED_HINT = 6038;
constexpr unsigned IDS_STR_IMPORT_FILES = 430;

const char* const s_apszFieldNames[] = {"Number", "Name part 1", "Name part 2", "Name part 3", "Name part 4"};

QLabel* Label(const char* pszText, unsigned nControl, QWidget* pParent)
{
    auto* pLabel = new QLabel(QString::fromLatin1(pszText), pParent);
    CUi_Texts::SetControlNumber(pLabel, nControl);
    return pLabel;
}

QSpinBox* Spin(const QString& name, int nMin, int nMax, QWidget* pParent)
{
    auto* pSpin = new QSpinBox(pParent);
    pSpin->setObjectName(name);
    pSpin->setRange(nMin, nMax);
    return pSpin;
}
} // namespace

CDlg_Import_NameMsn_Ex::CDlg_Import_NameMsn_Ex(QWidget* pParent)
    : CUi_Dialog(IDD, pParent), m_pPrefix(new QLineEdit(this)),
      m_pFile(new CUi_FileField(IDC_IMPORT_BTN_FILE, IDS_STR_IMPORT_FILES, this)),
      m_pPerRecord(Spin("perRecord", 0, CImport_NameMsn::POSITION_MAX, this)),
      m_pMaxEntries(Spin("maxEntries", 1, CImport_NameMsn::ENTRIES_MAX, this)),
      m_pFirstLine(Spin("firstLine", 1, CImport_NameMsn::FIRST_LINE_MAX, this))
{
    setWindowTitle(tr("Import names and numbers (extended)"));
    m_pPrefix->setObjectName("prefix");
    m_pPrefix->setMaxLength(static_cast<int>(CImport_NameMsn::PREFIX_MAX));

    auto* pGrid = new QGridLayout;
    int nRow = 0;
    pGrid->addWidget(Label("Number prefix", IDC_STATIC_PREFIX, this), nRow, 0);
    pGrid->addWidget(m_pPrefix, nRow++, 1, 1, 3);
    pGrid->addWidget(Label("File name", IDC_STATIC_FILE, this), nRow, 0);
    pGrid->addWidget(m_pFile, nRow++, 1, 1, 3);
    pGrid->addWidget(Label("Column", IDC_STATIC_COLUMN, this), nRow, 1);
    pGrid->addWidget(Label("Token", IDC_STATIC_TOKEN, this), nRow++, 2);
    for (int i = 0; i < FIELDS; ++i)
    {
        m_apColumn[i] = Spin(QStringLiteral("column%1").arg(i), 0, CImport_NameMsn::POSITION_MAX, this);
        m_apToken[i] = Spin(QStringLiteral("token%1").arg(i), 0, CImport_NameMsn::POSITION_MAX, this);
        pGrid->addWidget(Label(s_apszFieldNames[i], IDC_STATIC_FIELDS + static_cast<unsigned>(i), this), nRow,
                         0);
        pGrid->addWidget(m_apColumn[i], nRow, 1);
        pGrid->addWidget(m_apToken[i], nRow++, 2);
    }
    auto* pUnused = Label("(column 0: not used)", IDC_STATIC_UNUSED_HINT, this);
    pGrid->addWidget(pUnused, nRow - FIELDS, 3);
    pGrid->addWidget(Label("Columns per record", IDC_STATIC_PER_RECORD, this), nRow, 0);
    pGrid->addWidget(m_pPerRecord, nRow, 1);
    pGrid->addWidget(Label("(0: one record per line)", IDC_STATIC_PER_RECORD_HINT, this), nRow++, 2, 1, 2);
    pGrid->addWidget(Label("Maximum number of entries", IDC_STATIC_MAX_ENTRIES, this), nRow, 0);
    pGrid->addWidget(m_pMaxEntries, nRow++, 1);
    pGrid->addWidget(Label("First line", IDC_STATIC_FIRST_LINE, this), nRow, 0);
    pGrid->addWidget(m_pFirstLine, nRow++, 1);
    pGrid->setColumnStretch(3, 1);

    QDialogButtonBox* pButtons = CreateButtons();
    auto* pDefault = new QPushButton(tr("&Default"), this);
    auto* pPreview = new QPushButton(tr("&Preview"), this);
    pDefault->setObjectName("default");
    pPreview->setObjectName("preview");
    CUi_Texts::SetControlNumber(pDefault, IDC_IMPORT_BTN_DEFAULT);
    CUi_Texts::SetControlNumber(pPreview, IDC_IMPORT_BTN_PRIEVIEW);
    connect(pDefault, &QPushButton::clicked, this,
            [this]()
            {
                CImport_NameMsnExSettings defaults;
                defaults.prefix = CUi_Texts::ToCp1252(m_pPrefix->text());
                defaults.fileName = m_pFile->Path();
                SetSettings(defaults);
            });
    connect(pPreview, &QPushButton::clicked, this, &CDlg_Import_NameMsn_Ex::Preview);

    auto* pButtonRow = new QHBoxLayout;
    pButtonRow->addWidget(pDefault);
    pButtonRow->addWidget(pPreview);
    pButtonRow->addStretch(1);
    pButtonRow->addWidget(pButtons);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid);
    pLayout->addLayout(pButtonRow);
    SetSettings(CImport_NameMsnExSettings());
}

CImport_NameMsnExSettings CDlg_Import_NameMsn_Ex::Settings() const
{
    CImport_NameMsnExSettings settings;
    settings.prefix = CUi_Texts::ToCp1252(m_pPrefix->text());
    settings.fileName = m_pFile->Path();
    CImport_NameMsnExSettings::CField* const fields[FIELDS] = {
        &settings.number, &settings.name[0], &settings.name[1], &settings.name[2], &settings.name[3]};
    for (int i = 0; i < FIELDS; ++i)
        *fields[i] = {m_apColumn[i]->value() - 1, m_apToken[i]->value() - 1};
    settings.nColumnsPerRecord = m_pPerRecord->value();
    settings.nMaxEntries = m_pMaxEntries->value();
    settings.nFirstLine = m_pFirstLine->value() - 1;
    return settings;
}

void CDlg_Import_NameMsn_Ex::SetSettings(const CImport_NameMsnExSettings& settings)
{
    m_pPrefix->setText(CUi_Texts::FromCp1252(settings.prefix));
    m_pFile->SetPath(settings.fileName);
    const CImport_NameMsnExSettings::CField* const fields[FIELDS] = {
        &settings.number, &settings.name[0], &settings.name[1], &settings.name[2], &settings.name[3]};
    for (int i = 0; i < FIELDS; ++i)
    {
        m_apColumn[i]->setValue(fields[i]->nColumn + 1);
        m_apToken[i]->setValue(fields[i]->nToken + 1);
    }
    m_pPerRecord->setValue(settings.nColumnsPerRecord);
    m_pMaxEntries->setValue(settings.nMaxEntries);
    m_pFirstLine->setValue(settings.nFirstLine + 1);
}

std::string CDlg_Import_NameMsn_Ex::PreviewText() const
{
    return CImport_NameMsn::Preview(Settings(), PREVIEW_ENTRIES);
}

void CDlg_Import_NameMsn_Ex::Preview()
{
    CUi_Interface::Get().MessageBox(PreviewText(), CUi_Texts::ToCp1252(windowTitle()),
                                    CUi_Interface::ICON_INFORMATION, CUi_Interface::BUTTONS_OK);
}
