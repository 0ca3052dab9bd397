#pragma once

#include <cstdint>

// Every face bitmap of the button, written once: the control loads each file into its
// store, the generator draws it.
namespace SkinTable {

enum class Store
{
    Library, // Image100, at the face's index
    Image1,  // the normal face before any skin set is applied
    Image2,  // the pressed face before any skin set is applied
    Image3,  // skin set 13
};

enum class Relief
{
    Raised,
    Sunken,
    Flat
};

struct Face
{
    const char *file;
    int buttonset; // the skin set whose normal face it is; 0 for none
    Store store;
    int index;
    std::uint8_t red, green, blue;
    int width;
    int height;
    int bitsPerPixel; // 0: a GIF87a
    Relief relief;
};

// file, skin set, store, Image100 index, red, green, blue, width, height, bits per pixel, relief
// clang-format off
inline constexpr Face Faces[] = {
    {"normal01.bmp",         1, Store::Library,  0, 246, 214,  62, 128, 87, 24, Relief::Raised }, // yellow
    {"pressed.bmp",          0, Store::Library,  1, 246, 236, 204, 128, 87, 24, Relief::Sunken }, // cream
    {"normal02.bmp",         2, Store::Library,  2, 212, 212, 212, 128, 87, 24, Relief::Raised }, // light grey
    {"normal03.bmp",         3, Store::Library,  4,  98, 196,  80, 128, 87, 24, Relief::Raised }, // green
    {"normal04.bmp",         4, Store::Library,  6, 243, 160, 200, 147, 87, 24, Relief::Raised }, // pink
    {"normal05.bmp",         5, Store::Library,  8, 246, 156, 134, 147, 87, 24, Relief::Raised }, // salmon
    {"normal06.bmp",         6, Store::Library, 10,  78, 132, 220, 147, 87, 24, Relief::Raised }, // blue
    {"normal07.bmp",         7, Store::Library, 12,  84, 210, 228, 147, 87, 24, Relief::Raised }, // cyan
    {"normal08.bmp",         8, Store::Library, 15, 255, 204, 158, 147, 87, 24, Relief::Raised }, // peach
    {"normal09.bmp",         9, Store::Library, 16, 166, 166,  64, 147, 87, 24, Relief::Raised }, // olive
    {"normal10.bmp",        10, Store::Library, 18,  48, 124,  62, 147, 87, 24, Relief::Raised }, // dark green
    {"normal11.bmp",        11, Store::Library, 20, 210,  70, 200, 147, 87, 32, Relief::Raised }, // magenta
    {"normal12.bmp",        12, Store::Library, 22, 224,  68,  64, 147, 87, 24, Relief::Raised }, // red
    {"normal13.bmp",        13, Store::Image3,   0, 158, 202, 240, 147, 87, 24, Relief::Raised }, // light blue
    {"initial.bmp",          0, Store::Image1,   0, 170, 210, 245, 128, 87, 24, Relief::Raised }, // light blue
    {"initial-pressed.gif",  0, Store::Image2,   0, 200, 210, 222,  96, 64,  0, Relief::Flat   }, // pale blue-grey
};
// clang-format on

} // namespace SkinTable
