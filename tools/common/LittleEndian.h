#pragma once

#include <cstdint>

// The image formats the tools write store their numbers least significant byte first.
// Out is any byte container with push_back (std::vector<std::uint8_t>, QByteArray).
template <typename Out> void put16(Out &out, std::uint32_t value)
{
    using Byte = typename Out::value_type;
    out.push_back(Byte(value & 0xFF));
    out.push_back(Byte((value >> 8) & 0xFF));
}

template <typename Out> void put32(Out &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
