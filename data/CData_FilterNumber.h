#pragma once

#include "data/CData.h"

#include <string>

class CData_Record;

// One number of a call filter. The incoming-call and the outgoing-call filter keep the same entry,
// a number or number prefix under the key "Msn" and in a record of identifier, index and number,
// each under its own kind and record identifier.
class CData_FilterNumber : public CData
{
public:
    static constexpr size_t MSN_MAX = 26;

    bool operator==(const CData& other) const override;
    int MoveFile(int bToFile, int nVariant) override;
    int MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag) override;
    // 1 the number; the filter gives 0, the label.
    std::string InfoText(int nIndex) const override;

    std::string m_strMsn; // `Msn`, number or number prefix

protected:
    // pszClass names the filter in trace lines; nRecordId is its record identifier.
    CData_FilterNumber(const char* pszClass, int nRecordId) : m_pszClass(pszClass), m_nRecordId(nRecordId) {}

private:
    // The record, top to bottom, for both directions (CData_MoveRecord).
    void MoveRecord(CData_Record& r);

    const char* m_pszClass;
    int m_nRecordId;
};
