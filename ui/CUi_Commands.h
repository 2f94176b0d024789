#pragma once

// The commands of the main window by their numbers, and the rules that enable them. The rules
// work on a small state that the main window gathers (which page is active, how many phonebook
// entries there are, the link's permissions), so that they can be checked without a window.

struct CData_Properties;

// Command numbers (menu items, toolbar buttons, status-bar texts: strings of the same number).
enum ECommand : unsigned
{
    ID_FILE_RX_CFG = 2501,
    ID_FILE_TX_CFG = 2502,
    ID_FILE_RX_DIALNAME = 2503,
    ID_FILE_TX_DIALNAME = 2504,
    ID_FILE_IMPORT_DIALNAME = 2510,
    ID_FILE_EXPORT_DIALNAME = 2511,
    ID_FILE_DEBUG_DIALNAME_FILL = 2512,
    ID_DIALNAME_NEW = 3100,
    ID_DIALNAME_EDIT = 3101,
    ID_DIALNAME_DELETE = 3102,
    ID_FILE_IMPORT_DIALNAME_EX = 3103,
    ID_DIALNAME_PREFIX = 5506,
    ID_DIALNAME_FIND = 5508,
    ID_FILE_IMPORT_VCARD = 8004,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_INDICATOR_COUNT = 500,
    ID_INDICATOR_PORT = 501,
};

// What the rules look at.
struct CUi_CommandState
{
    bool bDialNamePage = false; // there is an active view and its active page is the phonebook
    int nDialNameEntries = 0;   // entries of the phonebook
    bool bPabxLine = false;     // PABX line mode: the hand-off's permissions decide
    bool bMayRead = true;       // the hand-off's receive permission
    bool bMayUpdate = true;     // the hand-off's permission to change the telephone
};

class CUi_Commands
{
public:
    // Phonebook entries the telephone holds at the most.
    static constexpr int DIALNAME_MAX = 250;

    // Whether a command is enabled; commands without a rule of their own are.
    static bool Enabled(unsigned nCommand, const CUi_CommandState& state, const CData_Properties& props);
};
