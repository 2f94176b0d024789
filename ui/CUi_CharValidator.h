#pragma once

// Keeps an edit field to the characters of one value type: the phone's name alphabet, dial
// strings, digits or the voice-box line. A typed character outside the class is refused with a
// beep; pasted text keeps its valid characters.

#include <QValidator>

class QLineEdit;

class CUi_CharValidator : public QValidator
{
    Q_OBJECT

public:
    enum EClass
    {
        CLASS_NAME,   // the 128 characters of the phone's name alphabet
        CLASS_DIAL,   // 0-9 # *
        CLASS_DIGITS, // 0-9
        CLASS_LINE,   // 0-9 # * K P T (either case)
    };

    explicit CUi_CharValidator(EClass charClass, QObject* pParent = nullptr);

    State validate(QString& input, int& nPos) const override;
    void fixup(QString& input) const override;

    static bool Allowed(EClass charClass, QChar ch);
    // Puts a validator of the class on the edit field, limits it to nMax characters (0: no limit)
    // and beeps when the field refuses a key.
    static void Attach(QLineEdit* pEdit, EClass charClass, int nMax);

private:
    EClass m_class;
};
