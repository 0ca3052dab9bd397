#pragma once

#include "Raster.h"
#include "SkinTable.h"

using SkinTable::Relief;

// A button face: thin dark outline, a three-pixel bevel (light upper-left and
// dark lower-right edges when raised, the other way round when sunken) and a
// soft vertical gradient. Integer arithmetic only, so the bytes never vary.
Raster drawFace(Rgb base, int width, int height, Relief relief);
