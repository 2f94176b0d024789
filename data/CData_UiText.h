#pragma once

// Interface texts for the column texts of the blocks: the current language texts, else the
// resource module's string table; empty while neither is loaded (tests, tools without a bundle).

#include <string>

std::string CData_UiText(unsigned nNumber);
