#pragma once
// The picture files plenamar-render writes, their format taken from the name's
// extension: PNG (with alpha), a 24-bit uncompressed BMP, or JPEG at quality 95.
#include <optional>
#include <string>

class QImage;

enum class TImageFormat { Png, Bmp, Jpeg };

// ".png", ".bmp", ".jpg" or ".jpeg" in any case; nothing for any other name.
std::optional<TImageFormat> ImageFormatOf(const std::string& fileName);

// Writes the picture with WriteFileAtomically (a read-only file is refused, a
// link's target is replaced). A PNG keeps the picture's alpha when it has one;
// BMP and JPEG drop it. Raises TError "Cannot create file <fileName>: <reason>"
// when the file cannot be written, and leaves any previous file as it was.
void WriteImageFile(const QImage& image, const std::string& fileName, TImageFormat format);
