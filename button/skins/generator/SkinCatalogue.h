#pragma once

#include "Raster.h"

#include <string>
#include <vector>

struct SkinFile
{
    std::string name;
    Bytes bytes;
};

// Every face bitmap the button carries, under the file name it is stored with.
std::vector<SkinFile> skinFiles();
