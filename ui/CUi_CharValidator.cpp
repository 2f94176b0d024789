#include "ui/CUi_CharValidator.h"

#include "data/CData_CharSet.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QLineEdit>

CUi_CharValidator::CUi_CharValidator(EClass charClass, QObject* pParent)
    : QValidator(pParent), m_class(charClass)
{
}

bool CUi_CharValidator::Allowed(EClass charClass, QChar ch)
{
    const char16_t u = ch.unicode();
    const bool bDigit = u >= u'0' && u <= u'9';
    switch (charClass)
    {
    case CLASS_DIGITS:
        return bDigit;
    case CLASS_DIAL:
        return bDigit || u == u'#' || u == u'*';
    case CLASS_LINE:
        return bDigit || u == u'#' || u == u'*' || QStringLiteral("KPTkpt").contains(ch);
    case CLASS_NAME:
    {
        // The alphabet is code page 1252; a character outside the code page is not in it.
        const std::string bytes = CUi_Texts::ToCp1252(QString(ch));
        return bytes.size() == 1 && CUi_Texts::FromCp1252(bytes) == QString(ch) &&
               CData_CharSet::IsNameChar(static_cast<unsigned char>(bytes[0]));
    }
    }
    return false;
}

QValidator::State CUi_CharValidator::validate(QString& input, int& nPos) const
{
    (void)nPos;
    for (const QChar ch : input)
        if (!Allowed(m_class, ch))
            return Invalid;
    return Acceptable;
}

void CUi_CharValidator::fixup(QString& input) const
{
    QString kept;
    for (const QChar ch : input)
        if (Allowed(m_class, ch))
            kept += ch;
    input = kept;
}

void CUi_CharValidator::Attach(QLineEdit* pEdit, EClass charClass, int nMax)
{
    pEdit->setValidator(new CUi_CharValidator(charClass, pEdit));
    if (nMax > 0)
        pEdit->setMaxLength(nMax);
    QObject::connect(pEdit, &QLineEdit::inputRejected, pEdit, [] { QApplication::beep(); });
}
