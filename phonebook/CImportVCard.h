#pragma once

// Reads a vCard file (versions 2.1, 3.0 and 4.0) for the phonebook: the formatted name, the name
// components and every telephone number, as code page 1252 text.
//
// Before the properties are looked at, the file's lines are unfolded (a line that begins with a
// blank or TAB continues the one before; a quoted-printable value that ends with "=" continues on
// the next line), quoted-printable values are decoded, and UTF-8 text (or the text of a declared
// CHARSET) is converted to code page 1252; characters the code page lacks are dropped. Plain
// single-byte files read unchanged. A file starting with a UTF-16 byte order mark is read as
// UTF-16.
//
// The members keep what the import dialog shows: the names of the last card that has them and
// the numbers of every card in file order. Cards() keeps each card apart for imports that make
// one entry per card.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CImportVCard
{
public:
    // A file larger than this is not read (a full address book is a few megabytes; the bound
    // keeps a wrong file from exhausting memory).
    static constexpr size_t FILE_MAX = 64u * 1024u * 1024u;
    static constexpr int NAME_PARTS = 5; // family, given, additional names, prefix, suffix
    static constexpr int PROPOSALS = 2;
    // The international call prefix of the countries the telephones are sold in (the one ITU-T
    // recommends), which takes the place of a "+".
    static constexpr const char* INTERNATIONAL_PREFIX = "00";

    struct CCard
    {
        std::string formattedName;
        std::string names[NAME_PARTS];
        std::vector<std::string> numbers;
        bool bChanged = false; // characters the code page lacks were dropped from its texts
    };

    // Reads and parses the file; a file that cannot be read gives no names and no numbers.
    explicit CImportVCard(const std::string& fileName);
    // Parses bytes in memory.
    CImportVCard(const char* pData, size_t nSize);

    bool IsOpen() const { return m_bOpen; }
    // The reason a file could not be read (the system's words); empty when it was.
    const std::string& ErrorText() const { return m_errorText; }

    int NumberCount() const { return static_cast<int>(m_numbers.size()); }
    const std::vector<CCard>& Cards() const { return m_cards; }

    // Name proposal 0: family name, ", ", given name, " ", additional names; proposal 1: given
    // name, " ", additional names, " ", family name, " ", suffix. Empty for other numbers.
    std::string NameProposal(int nProposal) const { return NameProposal(m_names, nProposal); }
    static std::string NameProposal(const std::string (&names)[NAME_PARTS], int nProposal);
    // True when any of the family, given and additional names is not empty.
    static bool HasNameParts(const std::string (&names)[NAME_PARTS]);

    // A number in international form made dialable from the current location: a number that
    // begins with the country text ("+49") becomes the outside-line digits followed by the rest
    // of the number, without the blank or separator after the country code and without a
    // trunk "(0)"; a number of another country gets the outside-line digits and the
    // international prefix in place of its "+"; any other number stays as it is.
    static std::string Localise(const std::string& number, const std::string& country,
                                const std::string& outside);

    std::string m_strFormattedName;     // value of the last FN line
    std::string m_names[NAME_PARTS];    // the last N value, split at ";"
    std::vector<std::string> m_numbers; // every TEL value in file order

private:
    void Parse(std::string text);
    // One unfolded line; false when it ends the reading.
    bool Property(std::string_view line, bool& bInCard);

    std::vector<CCard> m_cards;
    bool m_bCardOpen = false; // the last card of m_cards has not been closed
    std::string m_quoted;     // a value's text while it is decoded: after quoted-printable
    std::string m_decoded;    // and after the character set
    bool m_bOpen = false;
    std::string m_errorText;
};
