#pragma once

// Configuration files for the tool, through the program's own document: opening is the document's
// OnOpenDocument (brand data, properties of the file's phone type, its version text, Validate),
// saving its OnSaveDocument, so a file converted here is byte for byte what the program would
// write. Nothing of the open and save logic is repeated here.

#include <string>
#include <vector>

class CApp_Headless;

// One data record of a block, as the transfer would send it.
struct CTool_Record
{
    std::string section; // the block's name, which is its section
    int nRecord = 0;     // the record number handed to MoveBlock
    std::string bytes;
};

// One key line of a configuration file.
struct CTool_Key
{
    std::string section;
    std::string key;
    std::string value; // code page 1252 bytes, binary values unchanged
};

class CTool_Config
{
public:
    explicit CTool_Config(CApp_Headless& app);

    // The program's File Open; 0 when the file cannot be read, with one line on stderr naming the
    // file and the reason.
    int Open(const std::string& path);
    // The program's save of the document; 0 when the file could not be written completely, with
    // one line on stderr naming the file and the reason.
    int Save(const std::string& path);
    // What Save would write, as bytes (through a file of a temporary directory, because the
    // store writes files only). 0 on failure.
    int SaveToBytes(std::string& bytes);
    // Back to a new document, as the program's File New leaves it.
    int New();

    // The data records of the open file's blocks in section order, with the properties of its
    // phone type and the version number of its version text, as after a version check with a
    // telephone that reports that version block. The basic block gives its records 0 to 8,
    // every other block its one record; blocks that build none give nothing.
    std::vector<CTool_Record> Records();

    // The key lines of a file as the store writes it: CR LF line ends, "[name]" headers after
    // an empty line, "key=value" lines. A written value never holds CR (the store turns it into
    // NUL when it reads), so splitting at CR LF is exact.
    static std::vector<CTool_Key> ParseKeys(const std::string& bytes);

    // The section of the module keys, listed after the rest by diff.
    static bool IsModuleSection(const std::string& section);

private:
    // Save without a word on stderr (the caller tells what failed).
    int SaveQuietly(const std::string& path);

    CApp_Headless& m_app;
};
