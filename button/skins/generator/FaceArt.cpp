#include "FaceArt.h"

#include <algorithm>

namespace {
constexpr Rgb White{255, 255, 255};
constexpr Rgb Black{0, 0, 0};
constexpr int BevelWidth = 3;

std::uint8_t mixChannel(int from, int to, int percent)
{
    return std::uint8_t(std::clamp(from + (to - from) * percent / 100, 0, 255));
}

// Moves a colour towards another by percent (negative percent moves away).
Rgb mix(Rgb colour, Rgb towards, int percent)
{
    return {mixChannel(colour.red, towards.red, percent),
            mixChannel(colour.green, towards.green, percent),
            mixChannel(colour.blue, towards.blue, percent)};
}

Rgb shade(Rgb colour, int percent)
{
    return percent >= 0 ? mix(colour, White, percent) : mix(colour, Black, -percent);
}
} // namespace

Raster drawFace(Rgb base, int width, int height, Relief relief)
{
    Raster face(width, height);
    const Rgb outline = mix(base, Black, 60);
    const int sign = relief == Relief::Sunken ? -1 : 1;
    for (int y = 0; y < height; ++y) {
        // Top 16 % lighter down to 8 % darker at the bottom (reversed when sunken).
        const int gradient = relief == Relief::Flat ? 0 : sign * (16 - 24 * y / (height - 1));
        for (int x = 0; x < width; ++x) {
            Rgb &pixel = face.at(x, y);
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
                pixel = outline;
                continue;
            }
            pixel = shade(base, gradient);
            if (relief == Relief::Flat)
                continue;
            const int upperLeft = std::min(x - 1, y - 1);
            const int lowerRight = std::min(width - 2 - x, height - 2 - y);
            const int depth = std::min(upperLeft, lowerRight);
            if (depth >= BevelWidth)
                continue;
            const bool lit = (upperLeft < lowerRight) == (relief == Relief::Raised);
            pixel = lit ? mix(base, White, 70 - 20 * depth) : mix(base, Black, 45 - 12 * depth);
        }
    }
    return face;
}
