#include "GifWriter.h"

#include "LittleEndian.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace {
// Packs variable-width codes least significant bit first.
class CodeStream
{
public:
    void put(int code, int width)
    {
        m_buffer |= std::uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.push_back(std::uint8_t(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }

    Bytes finish()
    {
        if (m_bits > 0)
            m_bytes.push_back(std::uint8_t(m_buffer & 0xFF));
        m_buffer = 0;
        m_bits = 0;
        return std::move(m_bytes);
    }

private:
    Bytes m_bytes;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

constexpr int MaxCode = 4095;

Bytes compress(const std::vector<std::uint8_t> &indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    int nextCode = endCode + 1;
    int width = minCodeSize + 1;
    std::unordered_map<std::uint32_t, int> table;
    CodeStream stream;

    stream.put(clearCode, width);
    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        stream.put(prefix, width);
        if (nextCode > (1 << width) - 1 && width < 12)
            ++width;
        prefix = indices[i];
        if (nextCode >= MaxCode) {
            stream.put(clearCode, width);
            table.clear();
            nextCode = endCode + 1;
            width = minCodeSize + 1;
        } else {
            table.emplace(key, nextCode++);
        }
    }
    stream.put(prefix, width);
    if (nextCode > (1 << width) - 1 && width < 12)
        ++width;
    stream.put(endCode, width);
    return stream.finish();
}
} // namespace

Bytes writeGif87a(const Raster &raster)
{
    if (raster.pixels.empty())
        throw std::invalid_argument("a GIF needs at least one pixel");
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
    indices.reserve(raster.pixels.size());
    for (const Rgb &pixel : raster.pixels) {
        auto found = std::find(palette.begin(), palette.end(), pixel);
        if (found == palette.end()) {
            if (palette.size() == 256)
                throw std::invalid_argument("a GIF holds at most 256 colours");
            palette.push_back(pixel);
            found = palette.end() - 1;
        }
        indices.push_back(std::uint8_t(found - palette.begin()));
    }
    int tableBits = 1;
    while ((1u << tableBits) < palette.size())
        ++tableBits;
    palette.resize(std::size_t(1) << tableBits);

    Bytes out = {'G', 'I', 'F', '8', '7', 'a'};
    put16(out, raster.width);
    put16(out, raster.height);
    out.push_back(std::uint8_t(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));
    out.push_back(0); // background colour index
    out.push_back(0); // no aspect ratio
    for (const Rgb &colour : palette) {
        out.push_back(colour.red);
        out.push_back(colour.green);
        out.push_back(colour.blue);
    }

    out.push_back(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, raster.width);
    put16(out, raster.height);
    out.push_back(0); // no local table, not interlaced

    const int minCodeSize = std::max(2, tableBits);
    out.push_back(std::uint8_t(minCodeSize));
    const Bytes data = compress(indices, minCodeSize);
    for (std::size_t offset = 0; offset < data.size(); offset += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - offset);
        out.push_back(std::uint8_t(length));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(offset),
                   data.begin() + std::ptrdiff_t(offset + length));
    }
    out.push_back(0);
    out.push_back(';');
    return out;
}
