#pragma once
// The picture files plenamar-render writes, their format taken from the name's
// extension: PNG (with alpha), a 24-bit uncompressed BMP, or JPEG at quality
// 95 (ImageEncoders.h). A file is written row by row while its picture is
// drawn, so no picture is ever held whole; its encoder works in a thread of
// its own (BackgroundRows.h).
#include "render/picture/PictureRows.h"

#include <functional>
#include <optional>
#include <string>

enum class TImageFormat { Png, Bmp, Jpeg };

// ".png", ".bmp" or ".jpg" or ".jpeg" in any case; nothing for any other name.
std::optional<TImageFormat> ImageFormatOf(const std::string& fileName);

// Why a width x height picture does not fit the format, for the user; empty
// when it fits. A JPEG holds at most 65500 pixels a side, a BMP at most 4 GiB.
std::string ImageSizeProblem(TImageFormat format, int width, int height);

// Writes a width x height picture whose rows draw puts into the rows it is
// given, with WriteFileAtomically (a read-only file is refused, a link's
// target is replaced). A PNG keeps the alpha when alpha is set; BMP and JPEG
// drop it. Raises TInOutError "Cannot create file <fileName>: <reason>" when
// the file cannot be written, passes on what draw raises, and either way
// leaves any previous file as it was.
void WriteImageFile(const std::string& fileName, TImageFormat format, int width, int height, bool alpha,
                    const std::function<void(TPictureRows& rows)>& draw);
