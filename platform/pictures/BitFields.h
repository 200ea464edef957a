#pragma once
// The colour fields of a 16- or 32-bit BMP's pixel words, each given by a mask.
#include <QByteArray>
#include <cstdint>

// Widens an n-bit colour component to 8 bits by repeating its bits.
uint8_t ExpandBits(uint32_t value, int bits);

// One run of set bits, or none.
bool ContiguousMask(uint32_t mask);

// One colour component of a pixel word in 8 bits: a field narrower than 8
// bits widened, a wider one cut to its top 8 bits.
class TBitField {
public:
    explicit TBitField(uint32_t mask);
    uint8_t operator()(uint32_t word) const { return ExpandBits((word & Mask_) >> Shift_, Bits_); }

private:
    uint32_t Mask_;
    int Shift_;
    int Bits_;
};

// Qt's BMP reader scales a colour field of more than 8 bits to nothing (a
// 10-10-10-2 file comes out black) and one of fewer short of full. A 32-bit
// bit-field file whose fields are one run of bits each, apart from one
// another, and not the usual bytes comes back rewritten to the usual bytes
// (red, green, blue and, when its header has an alpha mask, alpha), each field
// scaled as TBitField scales it; any other data comes back as it is.
QByteArray WithByteFields(const QByteArray& bmp);
