#pragma once
// Whole numbers stored least significant byte first, as file formats of
// Windows origin (bitmaps, icons) keep them, read whatever the host's order.
#include <cstdint>

inline uint16_t LittleEndian16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

inline uint32_t LittleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
