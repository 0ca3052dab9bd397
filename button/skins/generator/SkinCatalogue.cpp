#include "SkinCatalogue.h"

#include "BmpWriter.h"
#include "FaceArt.h"
#include "GifWriter.h"
#include "SkinTable.h"

std::vector<SkinFile> skinFiles()
{
    std::vector<SkinFile> files;
    for (const SkinTable::Face &face : SkinTable::Faces) {
        const Raster art =
            drawFace({face.red, face.green, face.blue}, face.width, face.height, face.relief);
        files.push_back(
            {face.file, face.bitsPerPixel ? writeBmp(art, face.bitsPerPixel) : writeGif87a(art)});
    }
    return files;
}
