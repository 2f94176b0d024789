#include "shell/CApp_Startup.h"

#include "platform/CPlatform_Path.h"
#include "platform/CPlatform_Resource.h"
#include "support/CUi_Interface.h"

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
    if (!nLoaded)
        CUi_Interface::Get().MessageBox(CPlatform_Resource::LOAD_ERROR, std::string(),
                                        CUi_Interface::ICON_STOP, CUi_Interface::BUTTONS_OK);
    return nLoaded;
}
