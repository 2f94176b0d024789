#pragma once

// What the vCard import dialog shows and stores, without the widgets: the name proposals and the
// numbers of the chosen file, the localised number, the info text in two lines, loudness,
// melody and the MSN to dial out with. The dialog binds its controls to the members and lets
// this class decide; the tests drive it directly.

#include <string>
#include <vector>

class CData_AllCfg;
class CData_DialName;
class CImportVCard;
struct CData_Properties;

class CImport_VCardForm
{
public:
    // Field limits of the dialog.
    static constexpr size_t NAME_FIELD_MAX = 20;   // the entry's name
    static constexpr size_t NUMBER_FIELD_MAX = 26; // the entry's number
    static constexpr size_t INFO_LINE_MAX = 21;    // one display line of the info text
    static constexpr int LOUD_SLIDER_MAX = 6;
    static constexpr int LOUD_RISING = 7;  // stored Loud of rising loudness
    static constexpr int LOUD_DEFAULT = 3; // shown while rising loudness is ticked

    // Interface texts.
    static constexpr unsigned IDS_STR_DIALNAME_ERR1 = 295;
    static constexpr unsigned IDS_STR_IMPORT_VCARD_FILES = 433;

    // The entry's values into the form (the dialog opening), with the properties of the phone
    // type and the document's MSN slots for the dial-out items.
    void Open(const CData_DialName& entry, const CData_Properties& props, const CData_AllCfg& cfg);
    // A read file: the name proposals (and its formatted name, when it has one) and its numbers,
    // item 0 of each chosen, the number localised with the country text and outside digits.
    void Load(const CImportVCard& vcard, const std::string& country, const std::string& outside);
    void SelectName(int nItem);
    void SelectNumber(int nItem);

    // Confirmation: the fields into the entry. 0 (entry untouched) while the name or the number
    // comes out empty; the dialog then shows text 295.
    int Store(CData_DialName& entry) const;

    // The info text as two display lines and back: line 1 padded to INFO_LINE_MAX, then line 2,
    // trailing blanks removed.
    static void SplitInfotext(const std::string& text, std::string& line1, std::string& line2);
    static std::string JoinInfotext(const std::string& line1, const std::string& line2);

    // Items of the melody combo (standard, special tone, the melodies) and the dial-out combo.
    static std::vector<std::string> MelodyItems(int nMelodyCount);
    static std::vector<std::string> MsnGoItems(const CData_AllCfg& cfg, int nMsnCount);

    // The item chosen at first among the name items: proposal 0, or the formatted name when the
    // card has no name parts.
    static int FirstNameItem(const CImportVCard& vcard);

    std::vector<std::string> m_nameItems;
    std::vector<std::string> m_numberItems;
    int m_nNameItem = 0;
    int m_nNumberItem = 0;
    std::string m_strName;
    std::string m_strNumber;
    std::string m_strFormattedName;
    std::string m_strInfo1;
    std::string m_strInfo2;
    int m_nLoud = LOUD_DEFAULT; // the slider, 0..6
    bool m_bRising = false;     // rising loudness ticked
    bool m_bRisingOffered = false;
    int m_nMelody = 0;
    int m_nMsnGo = 0;
    bool m_bMsnGoOffered = false;
    bool m_bInfotextOffered = false;
    std::vector<std::string> m_melodyItems;
    std::vector<std::string> m_msnGoItems;

private:
    std::string m_country;
    std::string m_outside;
};
