#pragma once
// Reading a face image of any format Qt's image readers know (PNG with alpha,
// JPEG, WebP, TIFF, GIF, BMP, ...) into a texture object's pixel buffer:
// red, green, blue, alpha, the bottom row first. Files named ".bmp" and
// ".jpg" go through the texture object's own decoders, as the window reads
// them; the others through Qt, which tells the format from the content and
// turns the picture as its file says. Either way a picture past the bound of
// PictureLimits.h is refused before its pixels are decoded, and so is a file
// cut short (PictureEnds.h).
#include "render/artwork/TextureDetail.h"

#include <memory>
#include <string>

class QByteArray;
class TTextureImage;

// Raises TError naming the file: "Cannot open file <file>: <reason>" when it
// cannot be read, "Cannot read picture <file>: <reason>" (or "Cannot read
// picture <file> (W x H pixels is too large)") when it holds no picture that
// can be read whole. A ".jpg" file is read at a reduced size when `need`
// leaves room for one (TTextureImage::LoadJpegFromMemory); every other
// picture at its own.
std::unique_ptr<TTextureImage> ReadArtworkImage(const std::string& fileName, const TImageNeed& need = {});

// Whether ReadArtworkImage may read the file at a reduced size: a ".jpg".
bool MayReadReduced(const std::string& fileName);

// Whether ReadArtworkImage gives every pixel of the file opaque: a ".jpg" or
// a ".bmp", which the texture object's decoders read without alpha.
bool ReadsOpaque(const std::string& fileName);

// Qt's half, on a file's bytes; `name` names them in errors.
std::unique_ptr<TTextureImage> DecodeArtworkImage(const QByteArray& bytes, const std::string& name);
