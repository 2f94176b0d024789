#pragma once

// Reads a vCard file (versions 2.1, 3.0 and 4.0) for the phonebook: the formatted name, the name
// components and every telephone number, as code page 1252 text.
//
// Before the properties are looked at, the file's lines are unfolded (a line that begins with a
// blank or TAB continues the one before; a quoted-printable value that ends with "=" continues on
// the next line). The values of the properties the phonebook takes (FN, N, TEL) are then decoded:
// quoted-printable, and UTF-8 text (or the text of a declared CHARSET) converted to code page
// 1252; characters the code page lacks are dropped. Plain single-byte files read unchanged. A
// file starting with a UTF-16 byte order mark is read as UTF-16.
//
// The texts are views into the file's bytes, which the reader keeps, or, where a value had to be
// decoded, into storage of the reader's own: they live as long as the reader. No text is made
// for a card or a line of its own, and each line is walked once (a property the phonebook does not
// take is passed over to its last line unjoined), so that an address book of thousands of cards
// reads at about the speed of the file.
//
// The reader keeps what the import dialog shows: the names of the last card that has them and
// the numbers of every card in file order. Cards() keeps each card apart for imports that make
// one entry per card.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CImportVCard
{
public:
    using View = std::string_view;

    // A file larger than this is not read (a full address book is a few megabytes; the bound
    // keeps a wrong file from exhausting memory).
    static constexpr size_t FILE_MAX = 64u * 1024u * 1024u;
    static constexpr int NAME_PARTS = 5; // family, given, additional names, prefix, suffix
    static constexpr int PROPOSALS = 2;
    // The international call prefix of the countries the telephones are sold in (the one ITU-T
    // recommends), which takes the place of a "+".
    static constexpr const char* INTERNATIONAL_PREFIX = "00";

    // Texts that follow each other in the reader's list, as a range.
    class CViews
    {
    public:
        const View* begin() const { return m_pFirst; }
        const View* end() const { return m_pFirst + m_nCount; }
        size_t size() const { return m_nCount; }
        bool empty() const { return m_nCount == 0; }
        const View& front() const { return *m_pFirst; }
        const View& operator[](size_t n) const { return m_pFirst[n]; }

    private:
        friend class CImportVCard;
        const View* m_pFirst = nullptr;
        size_t m_nFirst = 0; // index of the first in the reader's list
        size_t m_nCount = 0;
    };

    struct CCard
    {
        View formattedName;
        View names[NAME_PARTS];
        CViews numbers;
        bool bChanged = false; // characters the code page lacks were dropped from its texts
    };

    // Reads and parses the file; a file that cannot be read gives no names and no numbers.
    explicit CImportVCard(const std::string& fileName);
    // Parses bytes in memory (a copy of them).
    CImportVCard(const char* pData, size_t nSize);
    ~CImportVCard();
    // The texts view the reader's own storage.
    CImportVCard(const CImportVCard&) = delete;
    CImportVCard& operator=(const CImportVCard&) = delete;

    bool IsOpen() const { return m_bOpen; }
    // The reason a file could not be read (the system's words); empty when it was.
    const std::string& ErrorText() const { return m_errorText; }

    // The value of the last FN line, the last N value split at ";", and every TEL value in file
    // order.
    View FormattedName() const { return m_formattedName; }
    const View (&Names() const)[NAME_PARTS] { return m_names; }
    const std::vector<View>& Numbers() const { return m_numbers; }
    int NumberCount() const { return static_cast<int>(m_numbers.size()); }
    const std::vector<CCard>& Cards() const { return m_cards; }

    // Name proposal 0: family name, ", ", given name, " ", additional names; proposal 1: given
    // name, " ", additional names, " ", family name, " ", suffix. Empty for other numbers.
    std::string NameProposal(int nProposal) const { return NameProposal(m_names, nProposal); }
    static std::string NameProposal(const View (&names)[NAME_PARTS], int nProposal);
    // True when any of the family, given and additional names is not empty.
    static bool HasNameParts(const View (&names)[NAME_PARTS]);

    // A number in international form made dialable from the current location: a number that
    // begins with the country text ("+49") becomes the outside-line digits followed by the rest
    // of the number, without the blank or separator after the country code and without a
    // trunk "(0)"; a number of another country gets the outside-line digits and the
    // international prefix in place of its "+"; any other number stays as it is.
    static std::string Localise(View number, const std::string& country, const std::string& outside);

private:
    void Parse();
    // A value, with what it may hold (bytes above 0x7F, backslashes, commas) and whether it
    // already lives as long as the reader, so that the steps after the decoding pass over what a
    // value lacks.
    struct CValue
    {
        View text;
        unsigned nMarks = 0; // ~0u: not yet looked at
        bool bKept = false;
        const char* pLimit = nullptr; // the end of the buffer the text lies in
    };
    // The value of a line that goes on in the lines before pNext (first: its part in the first
    // line), joined into the reader's storage.
    View Joined(View first, const char* pNext, const char* pEnd);
    // The value of a property the phonebook takes (nProperty: one of the reader's kinds), with
    // the parameters of its key; false when it ends the reading.
    bool Take(int nProperty, CValue& value, View params);
    // The value of a name or number inside a card, decoded as the parameters of its key say, as
    // code page 1252 text.
    void TakeValue(int nProperty, CValue& value, View params);
    // Backslash escapes of a text value resolved.
    View Unescaped(const CValue& value);
    // A structured value split at its unescaped semicolons, each component unescaped.
    void SplitComponents(const CValue& value, View (&parts)[NAME_PARTS]);
    // The text where it lives as long as the reader: itself when it views the file's bytes or
    // the reader's storage, else a copy in the reader's storage.
    View Keep(View text);
    // Room for nSize bytes in the reader's storage; Commit takes the first nUsed of them.
    char* Room(size_t nSize);
    void Commit(size_t nUsed);

    // The file's bytes (UTF-16 files as UTF-8), followed by a block of zero bytes for the walk over
    // the lines.
    std::string m_text;
    std::vector<CCard> m_cards;
    bool m_bInCard = false;   // a card has begun: the properties are taken
    bool m_bCardOpen = false; // the last card of m_cards has not been closed
    View m_formattedName;
    View m_names[NAME_PARTS];
    std::vector<View> m_numbers;
    std::string m_joined; // a line whose key goes on in folded lines, joined
    std::string m_quoted; // a quoted-printable value, decoded
    // The storage of decoded texts: blocks that are never moved, filled one after the other.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_pFree = nullptr;
    size_t m_nFree = 0;
    bool m_bOpen = false;
    std::string m_errorText;
};
