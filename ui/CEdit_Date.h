#pragma once

// The date edit control of the dialogs: eight characters "DD.MM.YY", three fields of two digits at
// the positions 0, 3 and 6, the current field highlighted. Digits are typed into the current
// field; the navigation keys move between the fields; leaving the control completes a short field
// and checks the date ("Ungültiges Datum bitte korrigieren", and the focus comes back).

#include <QLineEdit>

class CEdit_Date : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int TEXT_LENGTH = 8;
    static constexpr int FIELD_COUNT = 3;
    // The message of an invalid date, as the telephone's dialogs have always shown it.
    static const char* const INVALID_DATE_TEXT;

    explicit CEdit_Date(QWidget* pParent = nullptr);

    // Sets day, month and year (two digits of the year) and selects the day field.
    void SetDate(int nDay, int nMonth, int nYear);
    // 1 and the three fields when the text is a complete valid date.
    int GetDate(int& nDay, int& nMonth, int& nYear) const;

    int CurrentField() const { return m_nField; }
    // Makes field n (clamped to 0..2) current and highlights it.
    void SelectField(int nField);

    // The calendar rule: day 29 of February only in years divisible by four, day 30 never in
    // February, day 31 never in February, April, June, September and November.
    static int IsValidDate(int nDay, int nMonth, int nYear);
    // What leaving the control does: completes a short current field with a leading "0" and checks
    // the date; an invalid one is shown to the user. 1 when the date is valid.
    int Validate();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;

private:
    void TypeDigit(QChar digit);
    void CompleteField();
    int FieldValue(int nField) const;

    int m_nField = 0;
    QString m_typed; // digits typed into the current field since it was selected
    bool m_bValidating = false;
};
