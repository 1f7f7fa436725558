#include "app/ui/ProgramMain.h"

int main(int argc, char* argv[])
{
    return ProgramMain::run(argc, argv);
}
