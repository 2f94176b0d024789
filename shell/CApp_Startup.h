#pragma once

// What start-up is given: the command line and where to look for things. Empty texts mean the
// program's own (current directory, executable directory).

#include <functional>
#include <string>
#include <vector>

class CPlatform_Resource;

struct CApp_Startup
{
    std::string programPath;       // argv[0]
    std::vector<std::string> args; // the arguments after it
    std::string workingDirectory;  // the current directory at start
    std::string exeDirectory;      // where the resource bundle is looked for first
    std::string resourceBrand;     // bundle choice of CPlatform_Resource::FindBundle
    // Loads the resource module instead of the bundle search (tools and tests with the texts in
    // memory); gives 1 on success.
    std::function<int(CPlatform_Resource&)> loadResource;

    // Loads the resource module and makes it current. When it is missing the user is told
    // "error loading resource-dll!" (stop icon) and 0 is given: the run ends.
    int LoadResource(CPlatform_Resource& resource) const;
};
