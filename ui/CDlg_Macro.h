#pragma once

// The macro recorder (template 101): a picture of the telephone (or of it with its module) whose
// keys are clicked, or picked by name from the list of the map's keys, to build the sequence of a
// macro key. Every change encodes the sequence again; a key that does not fit is refused with
// text 4354 or 4355. OK hands back the name text and the code bytes; Cancel nothing.

#include "data/CData_KeyMap.h"
#include "data/CData_MacroCode.h"
#include "ui/CUi_Dialog.h"

#include <string>

class CUi_KeyPicture;
class QLineEdit;
class QListWidget;
class QProgressBar;

class CDlg_Macro : public CUi_Dialog
{
    Q_OBJECT

public:
    static constexpr unsigned TEMPLATE = 101;
    static constexpr unsigned IDC_KEYS = 1000;
    static constexpr unsigned IDC_NAME = 1004;
    static constexpr unsigned IDC_SEQUENCE = 1007;
    static constexpr unsigned IDC_MOUSE_X = 1010;
    static constexpr unsigned IDC_MOUSE_Y = 1011;
    static constexpr unsigned IDC_PROGRESS = 1023;
    // The labels of the two lists and of the name.
    static constexpr unsigned IDC_KEYS_STATIC = 1001;
    static constexpr unsigned IDC_SEQUENCE_STATIC = 1008;
    static constexpr unsigned IDC_NAME_STATIC = 1005;
    static constexpr unsigned TEXT_KEY = 250; // "Key", before the caller's caption
    // Width of the key list's column.
    static constexpr int KEY_LIST_WIDTH = 150;

    // map and picturePath: the picture's keys and its file (empty: no picture; recording by name
    // still works). caption: what the title names after text 250, the key's label.
    CDlg_Macro(const CData_KeyMap& map, const QString& picturePath, const CData_MacroCode::CodeBytes& abCode,
               const std::string& name, int nTextLimit, const std::string& caption,
               QWidget* pParent = nullptr);

    // The map and the picture of a picture index, as the program finds them: the map below the
    // program's "Map" directory in the current language (else "UK"), the picture in the resource
    // module.
    static CData_KeyMap LoadKeyMap(int nPicture);
    static QString PicturePath(int nPicture);

    // After OK: the code bytes, the name text and its limit.
    const CData_MacroCode::CodeBytes& Code() const { return m_abCode; }
    const std::string& Name() const { return m_name; }
    int TextLimit() const { return m_nTextLimit; }
    const CData_MacroCode& Sequence() const { return m_sequence; }

    // Appends a key as a click or a choice in the list does; gives the fitting result.
    CData_MacroCode::EFit AddKey(int nCode);
    // Removes entry i of the recorded sequence, as choosing it does.
    void RemoveEntry(int i);

    CUi_KeyPicture* Picture() const { return m_pPicture; }

public slots:
    void accept() override;

protected:
    void TextsApplied() override;

private:
    void Refresh();

    CData_KeyMap m_map;
    CData_MacroCode m_sequence;
    CData_MacroCode::CodeBytes m_abCode;
    std::string m_name;
    int m_nTextLimit;
    std::string m_caption;
    CUi_KeyPicture* m_pPicture;
    QListWidget* m_pKeys;
    QListWidget* m_pSequence;
    QProgressBar* m_pProgress;
    QLineEdit* m_pName;
    QLineEdit* m_pMouseX;
    QLineEdit* m_pMouseY;
};
