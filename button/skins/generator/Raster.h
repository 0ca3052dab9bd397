#pragma once

#include <cstdint>
#include <vector>

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Pixels row by row from the top-left corner.
struct Raster
{
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Raster(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h)) {}

    Rgb &at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    const Rgb &at(int x, int y) const
    {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

using Bytes = std::vector<std::uint8_t>;
