#include "data/CData_VoiceMail.h"

#include "data/CData_FileKeys.h"
#include "data/CData_RecordReader.h"
#include "data/CData_RecordWriter.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "CData_VoiceMail";
using B = CData_VoiceMail;
} // namespace

bool CData_VoiceMail::operator==(const CData& other) const
{
    const auto* p = dynamic_cast<const B*>(&other);
    return p && CData::operator==(other) && m_strVoiceMailClientNumber == p->m_strVoiceMailClientNumber;
}

int CData_VoiceMail::MoveFile(int bToFile, int)
{
    TraceLine(s_szClass, "MoveFile()");
    using namespace CData_Keys;
    static const CData_FileKey<B> s_keys[] = {
        Str<B>("VoiceMailClientNumber", &B::m_strVoiceMailClientNumber, StrToMsnExt),
    };
    CData_MoveKeys(*this, s_keys, bToFile);
    return 1;
}

int CData_VoiceMail::MoveBlock(int nMode, unsigned char* pRecord, size_t nSize, int nFlag)
{
    switch (nMode)
    {
    case MB_PARSE:
    {
        CData_RecordReader r(pRecord, nSize);
        r.Head(RECORD_ID);
        const std::string number = r.Text(NUMBER_MAX, false);
        if (!r.Ok())
        {
            TraceLine(s_szClass, "MoveBlock() Invalid record!");
            return 0;
        }
        m_strVoiceMailClientNumber = number;
        return r.Result();
    }
    case MB_DATA:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 1);
        w.Text(m_strVoiceMailClientNumber, NUMBER_MAX, false);
        return w.Result();
    }
    case MB_REQUEST:
    {
        CData_RecordWriter w(pRecord, nSize);
        w.Head(RECORD_ID, 0);
        return w.Result();
    }
    default:
        return CData::MoveBlock(nMode, pRecord, nSize, nFlag);
    }
}
