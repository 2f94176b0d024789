#pragma once

// Version information of the program: the version strings of the resource bundle and the about
// box's text made from them. The rules work on any look-up, so that they are tested without a
// bundle.

#include <functional>
#include <string>

class CVersion_Info
{
public:
    // The version strings the about box reads; only ProductName, ProductVersion, CompanyName and
    // LegalCopyright are shown.
    static const char* const FILE_VERSION;
    static const char* const COMPANY_NAME;
    static const char* const LEGAL_COPYRIGHT;
    static const char* const COMMENTS;
    static const char* const SPECIAL_BUILD;
    static const char* const PRODUCT_NAME;
    static const char* const PRODUCT_VERSION;

    // A version string by name: "-" when the version block lacks it, empty without a block.
    using Lookup = std::function<std::string(const char* pszName)>;
    // The bundle in force (empty strings while none is loaded).
    static Lookup CurrentBundle();

    // "2, 10, 0, 157" gives the version "2.100" and the build "157": commas removed, the build is
    // what follows the last blank, the version what precedes it with a point at its first blank
    // and no blanks. Without a blank the version is "." and the build the whole text.
    static void SplitProductVersion(const std::string& productVersion, std::string& version,
                                    std::string& build);

    // ProductName, two line ends, "V " version ", Build " build ",  " date " " time, two line
    // ends, CompanyName, a line end, LegalCopyright.
    static std::string AboutText(const Lookup& lookup, const std::string& date, const std::string& time);

    // When this program was built: "Apr 11 2005" and "13:36:14".
    static std::string BuildDate();
    static std::string BuildTime();
};
