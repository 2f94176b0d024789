#pragma once

// What a PABX administration tool hands over in the working directory: from "pabx.ini" the
// registry word and the authentication mode (read at every start of the PABX brands), from
// "SystelConfig.ini" the telephone and its link (read at the start of an unattended run). The
// program never writes either file. CData_All::MoveFilePabx and CData_All::MoveFileSystel fill it.

#include <string>

struct CData_PabxHandOff
{
    // Every value was read into a buffer of 100 characters; longer values are cut there.
    static constexpr size_t VALUE_MAX = 100;

    // "AuthenticationMode" of "pabx.ini".
    enum EAuthenticationMode
    {
        AUTH_NON = 0,
        AUTH_USER = 1, // the PABX parameters come from the command line
        AUTH_PIN1 = 2,
    };

    // ---- "pabx.ini", section "System" ----
    std::string m_szRegistry; // registry word; empty: the program's own key
    int m_nAuthenticationMode = AUTH_NON;

    // ---- "SystelConfig.ini", section "SystelConfiguration", in the order read ----
    std::string m_szSerialNo;  // handed to the link adapter for a PABX link
    std::string m_szPortId;    // PABX port number, decimal
    std::string m_szLink;      // "TCPIP", "CTI" or another text: the kind of PABX link
    std::string m_szType;      // phone type of the PABX port (window title, phonebook refusal)
    std::string m_szName;      // name of the port or user (window title)
    std::string m_szServiceNo; // service number of the firmware update

    // The port as the link adapter takes it: leading decimal digits, 0 when there are none.
    int PortId() const
    {
        size_t i = 0;
        while (i < m_szPortId.size() && (m_szPortId[i] == ' ' || m_szPortId[i] == '\t'))
            ++i;
        bool bNegative = false;
        if (i < m_szPortId.size() && (m_szPortId[i] == '-' || m_szPortId[i] == '+'))
            bNegative = m_szPortId[i++] == '-';
        long long n = 0;
        // Bounded so that a long digit run cannot overflow.
        for (; i < m_szPortId.size() && m_szPortId[i] >= '0' && m_szPortId[i] <= '9' && n < 100000000; ++i)
            n = n * 10 + (m_szPortId[i] - '0');
        return static_cast<int>(bNegative ? -n : n);
    }
};
