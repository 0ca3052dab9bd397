#pragma once

#include "Raster.h"

// A GIF87a image with a global colour table built from the raster's colours
// (at most 256) and LZW-compressed pixel data.
Bytes writeGif87a(const Raster &raster);
