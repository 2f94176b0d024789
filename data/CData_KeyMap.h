#pragma once

// The key map of one picture of a telephone or key-extension module: for every key code 0 to 255
// the key's name and its rectangle on the picture. A map file is an INI file with the section
// "PhoneKeys" and one value "Key %X" per key, each in the structure form of the private-profile
// functions (the record's bytes as pairs of hexadecimal digits, then one checksum byte, the low
// byte of the sum of the record's bytes).
//
// Which picture and map a macro key uses is chosen from the phone type, the firmware, the modules
// and the key's place (PictureIndex). Reading works on a byte buffer, so that any input can be
// fed to it; a value that is not a whole record with the right checksum counts as missing.

#include <cstddef>
#include <cstdint>
#include <string>

class CData_FileExRam;

class CData_KeyMap
{
public:
    static constexpr const char* SECTION = "PhoneKeys";
    static constexpr int KEY_COUNT = 256;
    // The record of one key as the map files hold it: the name in 50 bytes, zero-terminated, the
    // key code, one reserved byte, the rectangle as four signed 32-bit little-endian integers.
    static constexpr size_t NAME_BYTES = 50;
    static constexpr size_t RECORD_BYTES = 68;
    // Picture indexes: 1 to 11 have a map and a bitmap of their own, anything else is index 0.
    static constexpr int PICTURE_COUNT = 12;

    struct CKey
    {
        std::string strName; // empty: there is no such key
        int nCode = 0;
        int32_t nLeft = 0;
        int32_t nTop = 0;
        int32_t nRight = 0;
        int32_t nBottom = 0;

        bool Exists() const { return !strName.empty(); }
        // As the platform's rectangles count: left and top inside, right and bottom outside.
        bool Contains(int x, int y) const { return x >= nLeft && x < nRight && y >= nTop && y < nBottom; }
    };

    CData_KeyMap();

    // The map file of a picture index ("RV740.map" for any index without one of its own) and the
    // number of the picture in the resource module.
    static const char* MapFileName(int nPicture);
    static unsigned BitmapNumber(int nPicture);

    // What the picture of a macro key depends on.
    struct CPictureChoice
    {
        int nPhoneType = 0;        // EPhoneType
        int nFirmware = 0;         // version number of the phone's firmware (VersionToNumber)
        bool bE740Support = false; // the phone type takes the key-extension module "E740"
        bool bE740Attached = false;
        int anModuleType[4] = {}; // EModuleType of the module slots 0 to 3
        bool bModuleKey = false;  // a key of a key-extension module ("KeyE920")
        int nKey = 0;             // the key's block index
    };
    static int PictureIndex(const CPictureChoice& choice);

    // Reads a map file; 1 when the file could be read (its keys may still be missing or refused),
    // 0 when it is missing or unreadable (then no key exists).
    int ReadFile(const std::string& path);
    // Reads a map file's contents; replaces everything read before. Gives the number of keys found.
    int ReadBuffer(const char* pData, size_t nSize);

    // The key of a code (0 to 255); any other code gives a key that does not exist.
    const CKey& Key(int nCode) const;
    // The first existing key (lowest code) whose rectangle holds the point; -1 when none does.
    int KeyAt(int x, int y) const;
    // The code of the first existing key with this name; -1 when none has it.
    int FindName(const std::string& name) const;
    int KeysFound() const { return m_nFound; }
    // Values of the section that were present but refused (not a record, wrong checksum).
    int ValuesRefused() const { return m_nRefused; }

    // The structure form: 1 and exactly nCount bytes when the value is 2 x (nCount + 1)
    // hexadecimal digits (blanks around it ignored) whose last byte is the checksum of the others.
    static int StructFromText(const std::string& value, unsigned char* pDest, size_t nCount);
    static std::string StructToText(const unsigned char* pData, size_t nCount);
    // One key as its record and back.
    static void KeyToRecord(const CKey& key, unsigned char (&abRecord)[RECORD_BYTES]);
    static CKey KeyFromRecord(const unsigned char (&abRecord)[RECORD_BYTES]);

private:
    void Clear();
    // The values of the open map file.
    void ReadKeys(CData_FileExRam& file);

    CKey m_keys[KEY_COUNT];
    int m_nFound = 0;
    int m_nRefused = 0;
};
