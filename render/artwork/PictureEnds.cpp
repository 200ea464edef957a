#include "render/artwork/PictureEnds.h"

#include <cstring>

namespace {

bool JpegEndsWhole(const uint8_t* data, size_t size)
{
    size_t at = 2;  // after the start-of-image marker
    while (true) {
        // Bytes between segments are skipped, as the decoder skips them, and
        // so are fill bytes before a marker.
        while (at < size && data[at] != 0xFF)
            ++at;
        while (at < size && data[at] == 0xFF)
            ++at;
        if (at >= size)
            return false;
        const uint8_t marker = data[at++];
        if (marker == 0xD9)  // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))  // no length
            continue;
        if (size - at < 2)
            return false;
        const size_t length = size_t(data[at]) << 8 | data[at + 1];
        if (length < 2 || size - at < length)
            return false;
        at += length;
        if (marker != 0xDA)
            continue;
        // The entropy-coded data of a scan runs to the next marker that is
        // neither a stuffed zero nor a restart.
        for (;; ++at) {
            const auto* mark = static_cast<const uint8_t*>(std::memchr(data + at, 0xFF, size - at));
            if (!mark || size_t(mark - data) + 1 >= size)
                return false;
            at = size_t(mark - data);
            const uint8_t next = data[at + 1];
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7) && next != 0xFF)
                break;
        }
    }
}

// Skips a run of GIF sub-blocks, each a length byte and that many bytes, up
// to the empty one; false when the bytes run out first.
bool SkipSubBlocks(const uint8_t* data, size_t size, size_t& at)
{
    while (at < size) {
        const size_t length = data[at++];
        if (length == 0)
            return true;
        if (size - at < length)
            return false;
        at += length;
    }
    return false;
}

size_t ColourTableSize(uint8_t flags)
{
    return flags & 0x80 ? 3 * (size_t(2) << (flags & 0x07)) : 0;
}

bool GifEndsWhole(const uint8_t* data, size_t size)
{
    if (size < 13)
        return false;
    size_t at = 13 + ColourTableSize(data[10]);  // header, screen descriptor, global colours
    while (at < size) {
        switch (data[at++]) {
        case 0x3B:  // trailer
            return true;
        case 0x21:  // extension: its label, then sub-blocks
            if (++at > size || !SkipSubBlocks(data, size, at))
                return false;
            break;
        case 0x2C:  // image: its descriptor, local colours, code size, sub-blocks
            if (size - at < 9)
                return false;
            at += 9 + ColourTableSize(data[at + 8]) + 1;
            if (at > size || !SkipSubBlocks(data, size, at))
                return false;
            break;
        default:  // not a block: the decoder judges the rest
            return true;
        }
    }
    return false;
}

} // namespace

bool PictureEndsWhole(const uint8_t* data, size_t size)
{
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return JpegEndsWhole(data, size);
    if (size >= 6 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' && data[3] == '8' &&
        (data[4] == '7' || data[4] == '9') && data[5] == 'a')
        return GifEndsWhole(data, size);
    return true;
}
