#include "support/CVersion_Info.h"

#include "platform/CPlatform_Resource.h"

#include <algorithm>

const char* const CVersion_Info::FILE_VERSION = "FileVersion";
const char* const CVersion_Info::COMPANY_NAME = "CompanyName";
const char* const CVersion_Info::LEGAL_COPYRIGHT = "LegalCopyright";
const char* const CVersion_Info::COMMENTS = "Comments";
const char* const CVersion_Info::SPECIAL_BUILD = "SpecialBuild";
const char* const CVersion_Info::PRODUCT_NAME = "ProductName";
const char* const CVersion_Info::PRODUCT_VERSION = "ProductVersion";

CVersion_Info::Lookup CVersion_Info::CurrentBundle()
{
    return [](const char* pszName)
    {
        const CPlatform_Resource* pResource = CPlatform_Resource::Current();
        return pResource ? pResource->VersionString(pszName) : std::string();
    };
}

void CVersion_Info::SplitProductVersion(const std::string& productVersion, std::string& version,
                                        std::string& build)
{
    std::string text = productVersion;
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    const size_t nLast = text.rfind(' ');
    build = nLast == std::string::npos ? text : text.substr(nLast + 1);
    version = nLast == std::string::npos ? std::string() : text.substr(0, nLast);
    const size_t nFirst = version.find(' ');
    version.insert(nFirst == std::string::npos ? 0 : nFirst, 1, '.');
    version.erase(std::remove(version.begin(), version.end(), ' '), version.end());
}

std::string CVersion_Info::AboutText(const Lookup& lookup, const std::string& date, const std::string& time)
{
    std::string version;
    std::string build;
    SplitProductVersion(lookup(PRODUCT_VERSION), version, build);
    return lookup(PRODUCT_NAME) + "\n\nV " + version + ", Build " + build + ",  " + date + " " + time +
           "\n\n" + lookup(COMPANY_NAME) + "\n" + lookup(LEGAL_COPYRIGHT);
}

std::string CVersion_Info::BuildDate()
{
    return __DATE__;
}

std::string CVersion_Info::BuildTime()
{
    return __TIME__;
}
