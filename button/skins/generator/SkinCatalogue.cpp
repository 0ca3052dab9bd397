#include "SkinCatalogue.h"

#include "BmpWriter.h"
#include "FaceArt.h"
#include "GifWriter.h"

namespace {
struct Face
{
    const char *name;
    Rgb colour;
    int width;
    int bitsPerPixel;
};

constexpr int Height = 87;

constexpr Face Faces[] = {
    {"normal01.bmp", {246, 214, 62}, 128, 24},  // yellow
    {"normal02.bmp", {212, 212, 212}, 128, 24}, // light grey
    {"normal03.bmp", {98, 196, 80}, 128, 24},   // green
    {"normal04.bmp", {243, 160, 200}, 147, 24}, // pink
    {"normal05.bmp", {246, 156, 134}, 147, 24}, // salmon
    {"normal06.bmp", {78, 132, 220}, 147, 24},  // blue
    {"normal07.bmp", {84, 210, 228}, 147, 24},  // cyan
    {"normal08.bmp", {255, 204, 158}, 147, 24}, // peach
    {"normal09.bmp", {166, 166, 64}, 147, 24},  // olive
    {"normal10.bmp", {48, 124, 62}, 147, 24},   // dark green
    {"normal11.bmp", {210, 70, 200}, 147, 32},  // magenta
    {"normal12.bmp", {224, 68, 64}, 147, 24},   // red
    {"normal13.bmp", {158, 202, 240}, 147, 24}, // light blue
    {"initial.bmp", {170, 210, 245}, 128, 24},  // light blue
};

constexpr Rgb Cream{246, 236, 204};
constexpr Rgb PaleBlueGrey{200, 210, 222};
} // namespace

std::vector<SkinFile> skinFiles()
{
    std::vector<SkinFile> files;
    for (const Face &face : Faces)
        files.push_back(
            {face.name, writeBmp(drawFace(face.colour, face.width, Height, Relief::Raised),
                                 face.bitsPerPixel)});
    files.push_back({"pressed.bmp", writeBmp(drawFace(Cream, 128, Height, Relief::Sunken), 24)});
    files.push_back(
        {"initial-pressed.gif", writeGif87a(drawFace(PaleBlueGrey, 96, 64, Relief::Flat))});
    return files;
}
