#pragma once

// The interface text store: the texts of the current language file by symbol name, and the
// look-ups by resource number that every dialog, menu and message uses. One object, created by
// start-up right after the language settings and reachable process-wide through Get().
//
// The reader works on a byte buffer so that it can be exercised with any input; the file is only
// read into memory first.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class QCryptographicHash;

class CLang_Text
{
public:
    // A language file larger than this is not read (the biggest real one is a few hundred
    // kilobytes; the bound keeps a wrong file from exhausting memory).
    static constexpr size_t LANG_FILE_MAX = 8u * 1024u * 1024u;
    // A line longer than this carries no text (the original line buffer held fewer characters);
    // it is still part of the signature.
    static constexpr size_t LANG_LINE_MAX = 4096;

    CLang_Text();
    // Creates the store and reads the language file at path.
    explicit CLang_Text(const std::string& path);

    // Reads a language file; 1 when it could be read, 0 when it is missing (no texts, signature
    // taken as right) or too large (no texts, signature wrong).
    int ReadFile(const std::string& path);
    // Reads a language file's contents. Replaces everything read before.
    void ReadBuffer(const char* pData, size_t nSize);

    // True when the stored signature equals the computed one, or when no file was read.
    bool SignatureOk() const { return m_bSignatureOk; }
    const std::string& StoredSignature() const { return m_storedSignature; }
    const std::string& ComputedSignature() const { return m_computedSignature; }
    // Assertion reports written while reading (malformed lines).
    int AssertCount() const { return m_nAsserts; }

    // The string of a number: the language text of its symbol, else the resource module's string
    // table. Gives 1 when the result is not empty.
    int GetString(unsigned nNumber, std::string& text) const;
    std::string String(unsigned nNumber) const;
    // Language texts only; empty when the file has none.
    std::string GetDlgCaption(unsigned nTemplate) const;
    std::string GetPopupText(unsigned nPopup) const;
    std::string GetMenuItemText(unsigned nItem) const; // nItem = 10 x command number
    std::string GetControlText(unsigned nTemplate, unsigned nControl) const;

    // The text a menu item shows for its command: the item text when both it and the current
    // text are not empty (with the first backslash-t turned into a blank and a tab), else the
    // current text unchanged.
    std::string MenuItemDisplayText(unsigned nCommand, const std::string& current) const;
    // The backslash-t rule alone: when the first backslash of the text is followed by "t", the two
    // characters become a blank and a tab.
    static std::string MenuTabRule(const std::string& text);

    // Start-up's question when the signature is wrong. 1: go on (signature right, or the user
    // answered Yes); 0: the user answered No and start-up ends.
    int CheckSignatureAtStart() const;
    static const char* SignatureQuestion();

    // The signature a file's contents should carry (32 upper-case hexadecimal digits).
    static std::string ComputeSignature(const std::string& bytes);
    // The contents with their signature line(s) replaced by one carrying the right signature (at
    // the place of the first old one, else as the first line), in the file's own line ends.
    static std::string SignContents(const std::string& bytes);

    // The store in force; nullptr until start-up created one (look-ups then fall back to the
    // resource module).
    static CLang_Text* Get();
    static void Set(CLang_Text* pText);

private:
    void Clear();
    void ReadLine(std::string_view line, int nLine, QCryptographicHash& md5);
    void Assert(int nLine);
    static std::string Find(const std::map<std::string, std::string>& map, const std::string& key);

    std::map<std::string, std::string> m_strings;  // string symbol -> text
    std::map<std::string, std::string> m_captions; // dialog symbol -> caption
    std::map<std::string, std::string> m_popups;   // popup symbol -> text
    std::map<std::string, std::string> m_items;    // menu item symbol -> text
    std::map<std::string, std::string> m_controls; // "dialog:control" -> text
    bool m_bSignatureOk = true;
    std::string m_storedSignature;
    std::string m_computedSignature;
    int m_nAsserts = 0;
};
