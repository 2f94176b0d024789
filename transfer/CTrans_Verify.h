#pragma once

// The verified write: after a configuration or phonebook was sent, the telephone is read back and
// every record that was sent is compared with the one the telephone now builds from what it holds.
// A block whose record differs (or that the telephone no longer has) was not stored as sent. Before
// the send, what the telephone held is kept in a backup file beside the document, so that a bad
// write can be undone by sending the backup.

#include <string>
#include <vector>

class CData_All;

class CTrans_Verify
{
public:
    using Record = std::vector<unsigned char>;

    // The names of the blocks (their sections, e.g. "MsnPara_00000002") whose sent records differ
    // from what readBack holds, each once, in the order they were sent; empty when the telephone
    // holds everything as it was sent. The telephone's properties must be in force (as after the
    // read-back). Records the telephone never reports back (the PIN, commands, the version block)
    // are not compared.
    static std::vector<std::string> Differences(const std::vector<Record>& sent, CData_All& readBack);

    // The backup of what the telephone held before a send to the document at documentPath:
    // "<document>.phone-backup.cfg" beside it; empty when the document is itself such a backup
    // (its send restores the telephone, and no backup is kept of the write it undoes).
    static std::string BackupPath(const std::string& documentPath);
};
