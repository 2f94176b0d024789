#include "data/CData_Properties.h"

bool CData_Properties::KeyFunctionOffered(int nKeyUse) const
{
    switch (nKeyUse)
    {
    case 2:
        return m_bKeyLine;
    case 3:
        return m_bKeyExt;
    case 5:
    case 6:
        return m_bKeyVariant;
    case 7:
        return m_bKeyTeamLogout;
    case 8:
    case 9:
        return m_bKeyAnnounce;
    case 10:
    case 11:
        return m_bKeyIntercom;
    case 12:
    case 13:
        return m_bKeyChefSec;
    case 14:
        return m_bKeyDialFilter;
    case 15:
        return m_bKeyAws;
    case 16:
        return m_bKeyDirectCall;
    case 17:
        return m_bKeyVMail;
    default:
        return nKeyUse == 1 || nKeyUse == 4 || (nKeyUse >= 18 && nKeyUse <= 27);
    }
}

CData_Properties& CData_Properties::Current()
{
    static CData_Properties s_properties;
    return s_properties;
}
