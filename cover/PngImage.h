#pragma once
// PNG files read with libpng itself rather than through Qt's reader, which
// leaves libpng's errors to print on the terminal: here libpng's warnings and
// errors come back as text, for the report of the picture they are about.
#include <cstddef>
#include <cstdint>
#include <string>

class TTextureImage;

// Whether the bytes start as a PNG file does.
bool IsPngFile(const uint8_t* data, size_t size);

// Reads a PNG file into image's pixel buffer as 8-bit red, green, blue and
// alpha, the bottom row first, as GL takes it: a palette, grey, a transparent
// colour and 16 bits per sample are all turned into that. Raises the "<tooLarge>
// (W x H pixels is too large)" error of PictureLimits.h before it allocates.
// "" when the picture was read; else libpng's words for what is wrong, with
// its warnings before the failure in brackets, and image has no pixel buffer.
std::string ReadPng(TTextureImage& image, const uint8_t* data, size_t size, const char* tooLarge);
