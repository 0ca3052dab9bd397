#include "Program.h"

#include <cstdio>
#include <cstdlib>

void Program::end()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
