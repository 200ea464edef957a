#include "platform/pictures/BitFields.h"

#include "platform/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {

constexpr qsizetype MasksAt = 14 + 40;  // directly after the 40 bytes of the info header

void PutLittleEndian32(char* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char(value >> (8 * i));
}

} // namespace

uint8_t ExpandBits(uint32_t value, int bits)
{
    switch (bits) {
    case 1: return (value & 0xFF) != 0 ? 255 : 0;
    case 2: return uint8_t(value << 6 | value << 4 | value << 2 | value);
    case 3: return uint8_t(value << 5 | value << 2 | value >> 1);
    case 4: return uint8_t(value << 4 | value);
    case 5: return uint8_t(value << 3 | value >> 2);
    case 6: return uint8_t(value << 2 | value >> 4);
    case 7: return uint8_t(value << 1 | value >> 6);
    default: return uint8_t(value);
    }
}

bool ContiguousMask(uint32_t mask)
{
    return mask == 0 || std::has_single_bit((uint64_t(mask) >> std::countr_zero(mask)) + 1);
}

TBitField::TBitField(uint32_t mask)
    : Mask_(mask), Shift_(mask ? std::countr_zero(mask) : 0), Bits_(std::popcount(mask))
{
    if (Bits_ > 8)
        Shift_ += Bits_ - 8, Bits_ = 8;
}

QByteArray WithByteFields(const QByteArray& bmp)
{
    const auto* in = reinterpret_cast<const uint8_t*>(bmp.constData());
    if (bmp.size() < MasksAt + 16 || LittleEndian16(in) != 0x4D42 || LittleEndian16(in + 28) != 32 ||
        LittleEndian32(in + 30) != 3)
        return bmp;
    const bool hasAlpha = LittleEndian32(in + 14) >= 56;
    uint32_t masks[4] = {};
    uint32_t all = 0;
    for (int i = 0; i < (hasAlpha ? 4 : 3); ++i) {
        masks[i] = LittleEndian32(in + MasksAt + 4 * i);
        if (!ContiguousMask(masks[i]) || (all & masks[i]) != 0)
            return bmp;
        all |= masks[i];
    }
    const uint32_t bytes[4] = {0xFF0000, 0x00FF00, 0x0000FF, masks[3] ? 0xFF000000 : 0};
    if (std::equal(masks, masks + 4, bytes))
        return bmp;
    const uint64_t offset = LittleEndian32(in + 10);
    const uint64_t pixels = uint64_t(std::abs(int64_t(int32_t(LittleEndian32(in + 18))))) *
                            uint64_t(std::abs(int64_t(int32_t(LittleEndian32(in + 22)))));
    if (offset > uint64_t(bmp.size()) || pixels > (uint64_t(bmp.size()) - offset) / 4)
        return bmp;
    QByteArray out = bmp;
    for (int i = 0; i < (hasAlpha ? 4 : 3); ++i)
        PutLittleEndian32(out.data() + MasksAt + 4 * i, bytes[i]);
    const TBitField red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    char* pixel = out.data() + offset;
    for (uint64_t i = 0; i < pixels; ++i, pixel += 4) {
        const uint32_t word = LittleEndian32(reinterpret_cast<const uint8_t*>(pixel));
        PutLittleEndian32(pixel, uint32_t(alpha(word)) << 24 | uint32_t(red(word)) << 16 |
                                     uint32_t(green(word)) << 8 | blue(word));
    }
    return out;
}
