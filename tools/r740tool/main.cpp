#include "platform/CPlatform_Path.h"
#include "tools/r740tool/CTool_Main.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return CTool_Main::Run(args, CPlatform_Path::ExecutableDirectory());
}
