#include "ui/CEdit_Date.h"

#include "support/CUi_Interface.h"
#include "ui/CUi_Texts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

const char* const CEdit_Date::INVALID_DATE_TEXT = "Ung\xFCltiges Datum bitte korrigieren";

namespace
{
constexpr int FIELD_WIDTH = 2;
constexpr int FIELD_STEP = 3; // two digits and the separator
const QChar s_separator = QLatin1Char('.');
constexpr int DAY_LIMIT = 32;
constexpr int MONTH_MAX = 12;
constexpr int LEAP_YEAR_STEP = 4;

int FieldStart(int nField)
{
    return nField * FIELD_STEP;
}
} // namespace

CEdit_Date::CEdit_Date(QWidget* pParent) : QLineEdit(pParent)
{
    setMaxLength(TEXT_LENGTH);
    setText(QStringLiteral("01.01.00"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00")) + 16);
}

void CEdit_Date::SetDate(int nDay, int nMonth, int nYear)
{
    setText(QStringLiteral("%1.%2.%3")
                .arg(nDay % 100, FIELD_WIDTH, 10, QLatin1Char('0'))
                .arg(nMonth % 100, FIELD_WIDTH, 10, QLatin1Char('0'))
                .arg(nYear % 100, FIELD_WIDTH, 10, QLatin1Char('0')));
    SelectField(0);
}

int CEdit_Date::FieldValue(int nField) const
{
    bool bOk = false;
    const int n = text().mid(FieldStart(nField), FIELD_WIDTH).toInt(&bOk);
    return bOk ? n : -1;
}

int CEdit_Date::GetDate(int& nDay, int& nMonth, int& nYear) const
{
    if (text().size() != TEXT_LENGTH)
        return 0;
    nDay = FieldValue(0);
    nMonth = FieldValue(1);
    nYear = FieldValue(2);
    return IsValidDate(nDay, nMonth, nYear);
}

int CEdit_Date::IsValidDate(int nDay, int nMonth, int nYear)
{
    if (nYear < 0 || nMonth < 1 || nMonth > MONTH_MAX || nDay < 1 || nDay >= DAY_LIMIT)
        return 0;
    if (nMonth == 2 && (nDay > 29 || (nDay == 29 && nYear % LEAP_YEAR_STEP != 0)))
        return 0;
    if (nDay == 31 && (nMonth == 4 || nMonth == 6 || nMonth == 9 || nMonth == 11))
        return 0;
    return 1;
}

void CEdit_Date::SelectField(int nField)
{
    m_nField = nField < 0 ? 0 : (nField >= FIELD_COUNT ? FIELD_COUNT - 1 : nField);
    m_typed.clear();
    setSelection(FieldStart(m_nField), FIELD_WIDTH);
}

void CEdit_Date::CompleteField()
{
    if (text().size() >= TEXT_LENGTH)
        return;
    QString t = text();
    t.insert(FieldStart(m_nField), QLatin1Char('0'));
    setText(t.left(TEXT_LENGTH));
}

void CEdit_Date::TypeDigit(QChar digit)
{
    const int nStart = FieldStart(m_nField);
    m_typed += digit;
    // The year keeps the last two digits typed; day and month take two digits and start again.
    if (m_nField == FIELD_COUNT - 1 && m_typed.size() > FIELD_WIDTH)
        m_typed = m_typed.right(FIELD_WIDTH);
    QString t = text();
    const int nOld = t.size() == TEXT_LENGTH ? FIELD_WIDTH : FIELD_WIDTH - 1;
    t.replace(nStart, nOld, m_typed);
    setText(t);
    if (t.size() < TEXT_LENGTH)
    {
        setCursorPosition(nStart + static_cast<int>(m_typed.size()));
        return;
    }
    // A whole field is highlighted again: a day or month (even one of 32 or more, or above 12)
    // is typed anew from here, the year goes on taking digits.
    const QString typed = m_typed;
    SelectField(m_nField);
    if (m_nField == FIELD_COUNT - 1)
        m_typed = typed;
}

void CEdit_Date::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key())
    {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Down:
        CompleteField();
        SelectField(m_nField - 1);
        return;
    case Qt::Key_Up:
    case Qt::Key_Right:
        CompleteField();
        SelectField(m_nField + 1);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        QLineEdit::keyPressEvent(pEvent);
        return;
    default:
        break;
    }
    const QString typed = pEvent->text();
    if (typed.size() == 1 && typed[0].isDigit() && typed[0].unicode() < 0x80)
        TypeDigit(typed[0]);
    else if (!typed.isEmpty() && !(pEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        QApplication::beep();
    else
        pEvent->ignore();
}

void CEdit_Date::focusInEvent(QFocusEvent* pEvent)
{
    QLineEdit::focusInEvent(pEvent);
    SelectField(0);
}

void CEdit_Date::focusOutEvent(QFocusEvent* pEvent)
{
    QLineEdit::focusOutEvent(pEvent);
    if (m_bValidating)
        return;
    if (!Validate())
        // The message box has taken the focus; it comes back once the box is gone.
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

int CEdit_Date::Validate()
{
    CompleteField();
    int nDay = 0;
    int nMonth = 0;
    int nYear = 0;
    if (GetDate(nDay, nMonth, nYear))
        return 1;
    m_bValidating = true;
    CUi_Interface::Get().MessageBox(INVALID_DATE_TEXT, CUi_Texts::ToCp1252(window()->windowTitle()),
                                    CUi_Interface::ICON_WARNING, CUi_Interface::BUTTONS_OK);
    m_bValidating = false;
    return 0;
}

void CEdit_Date::mousePressEvent(QMouseEvent* pEvent)
{
    QLineEdit::mousePressEvent(pEvent);
    SelectField(0);
}

void CEdit_Date::mouseReleaseEvent(QMouseEvent* pEvent)
{
    QLineEdit::mouseReleaseEvent(pEvent);
    SelectField(m_nField);
}

void CEdit_Date::mouseMoveEvent(QMouseEvent* pEvent)
{
    // Dragging would select across the fields; the current field stays highlighted.
    (void)pEvent;
}
