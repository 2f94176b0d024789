#include "ui/CUi_FileField.h"

#include "data/CData_UiText.h"
#include "support/CUi_Interface.h"
#include "ui/CUi_Texts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CUi_FileField::CUi_FileField(unsigned nButton, unsigned nFilter, QWidget* pParent)
    : QWidget(pParent), m_nFilter(nFilter), m_pEdit(new QLineEdit(this)),
      m_pButton(new QPushButton(tr("&File..."), this))
{
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pEdit, 1);
    pLayout->addWidget(m_pButton);
    m_pEdit->setObjectName("file");
    m_pEdit->setMinimumWidth(260);
    CUi_Texts::SetControlNumber(m_pButton, nButton);
    connect(m_pButton, &QPushButton::clicked, this, &CUi_FileField::Browse);
}

std::string CUi_FileField::Path() const
{
    const QByteArray bytes = m_pEdit->text().toLocal8Bit();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void CUi_FileField::SetPath(const std::string& path)
{
    m_pEdit->setText(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
}

void CUi_FileField::Browse()
{
    std::string path;
    if (!CUi_Interface::Get().GetOpenFileName(CData_UiText(m_nFilter), Path(), path))
        return;
    SetPath(path);
    emit Chosen();
}
