#include "BmpWriter.h"

#include "LittleEndian.h"

#include <stdexcept>

Bytes writeBmp(const Raster &raster, int bitsPerPixel)
{
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::invalid_argument("bitmaps are written at 24 or 32 bits per pixel");
    const std::uint32_t bytesPerPixel = std::uint32_t(bitsPerPixel) / 8;
    const std::uint32_t stride = (std::uint32_t(raster.width) * bytesPerPixel + 3) & ~3u;
    const std::uint32_t imageSize = stride * std::uint32_t(raster.height);
    constexpr std::uint32_t headersSize = 14 + 40;
    constexpr std::uint32_t pixelsPerMetre = 3780; // 96 dpi

    Bytes out;
    out.reserve(headersSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, headersSize + imageSize);
    put32(out, 0);
    put32(out, headersSize);

    put32(out, 40);
    put32(out, std::uint32_t(raster.width));
    put32(out, std::uint32_t(raster.height)); // positive: bottom-up
    put16(out, 1);
    put16(out, std::uint32_t(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0);
    put32(out, 0);

    for (int y = raster.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < raster.width; ++x) {
            const Rgb &pixel = raster.at(x, y);
            out.push_back(pixel.blue);
            out.push_back(pixel.green);
            out.push_back(pixel.red);
            if (bytesPerPixel == 4)
                out.push_back(0);
        }
        while (out.size() - rowStart < stride)
            out.push_back(0);
    }
    return out;
}
