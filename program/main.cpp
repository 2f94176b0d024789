// R740Cf: the configurator and phonebook program (which of the two, the resource bundle says).

#include "ui/CUi_Program.h"

int main(int argc, char** argv)
{
    return CUi_Program::Run(argc, argv);
}
