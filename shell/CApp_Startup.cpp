#include "shell/CApp_Startup.h"

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Resource.h"
#include "support/CUi_Interface.h"
#include "support/Trace.h"

namespace
{
const char s_szClass[] = "App";
} // namespace

int CApp_Startup::LoadResource(CPlatform_Resource& resource) const
{
    int nLoaded = 0;
    if (loadResource)
    {
        nLoaded = loadResource(resource);
        if (nLoaded)
            CPlatform_Resource::SetCurrent(&resource);
    }
    else
    {
        const std::string exeDir =
            exeDirectory.empty() ? CPlatform_Path::ExecutableDirectory() : exeDirectory;
        nLoaded = resource.LoadForStartup(resourceBrand, exeDir);
    }
    if (nLoaded)
    {
        TraceLine(s_szClass, "LoadResource() ", resource.Path().c_str());
        if (resource.BadLines())
            TraceLine(s_szClass, "LoadResource() Lines not understood!");
    }
    else
        CUi_Interface::Get().MessageBox(CPlatform_Resource::LOAD_ERROR, std::string(),
                                        CUi_Interface::ICON_STOP, CUi_Interface::BUTTONS_OK);
    return nLoaded;
}
