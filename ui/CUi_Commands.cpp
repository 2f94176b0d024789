#include "ui/CUi_Commands.h"

#include "data/CData_Properties.h"

bool CUi_Commands::Enabled(unsigned nCommand, const CUi_CommandState& state, const CData_Properties& props)
{
    switch (nCommand)
    {
    case ID_DIALNAME_NEW:
        return state.bDialNamePage && state.nDialNameEntries < DIALNAME_MAX;
    case ID_FILE_IMPORT_VCARD:
        return state.nDialNameEntries < DIALNAME_MAX;
    case ID_DIALNAME_EDIT:
    case ID_DIALNAME_DELETE:
    case ID_DIALNAME_FIND:
    case ID_DIALNAME_PREFIX:
        return state.bDialNamePage && state.nDialNameEntries > 0;
    case ID_FILE_RX_CFG:
        return state.bPabxLine ? state.bMayRead : props.m_bRxCfgAllowed;
    case ID_FILE_TX_CFG:
        return state.bPabxLine ? state.bMayUpdate : props.m_bTxCfgAllowed;
    case ID_FILE_RX_DIALNAME:
        return state.bPabxLine ? state.bMayRead : props.m_bRxDialNameAllowed;
    case ID_FILE_TX_DIALNAME:
        return state.bPabxLine ? state.bMayUpdate : props.m_bTxDialNameAllowed;
    default:
        return true;
    }
}
