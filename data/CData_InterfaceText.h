#pragma once

// Interface texts that the data blocks use as defaults and column texts: the language file's text
// of the number, else the resource module's, else empty.

#include <string>

std::string CData_InterfaceText(unsigned nNumber);
