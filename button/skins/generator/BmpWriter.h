#pragma once

#include "Raster.h"

// An uncompressed bottom-up Windows bitmap at 24 or 32 bits per pixel, 96 dpi.
Bytes writeBmp(const Raster &raster, int bitsPerPixel);
