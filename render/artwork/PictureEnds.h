#pragma once
// Whether a picture file holds its whole picture. The JPEG and GIF decoders
// take a file cut short for a whole one (JPEG fills the rest grey, GIF
// black), so their files are walked here, marker by marker and block by
// block, up to their end mark; the other formats' decoders refuse such a file
// themselves.
#include <cstddef>
#include <cstdint>

// False when the bytes of a JPEG file run out before its end-of-image marker,
// or those of a GIF file before its trailer; true for everything else, bytes
// after the end included.
bool PictureEndsWhole(const uint8_t* data, size_t size);
