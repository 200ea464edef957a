#pragma once
// The picture files plenamar-render writes, their format taken from the name's
// extension: PNG (with alpha), a 24-bit uncompressed BMP, JPEG, or WebP (with
// alpha) (ImageEncoders.h). A file is written row by row while its picture is
// drawn, so no picture but a WebP is ever held whole; its encoder works in a
// thread of its own (BackgroundRows.h).
#include "render/picture/ImageEncoders.h"
#include "render/picture/PictureRows.h"
#include "render/picture/WebPAnimation.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

enum class TImageFormat { Png, Bmp, Jpeg, WebP };

// ".png", ".bmp", ".jpg" or ".jpeg", or ".webp" in any case; nothing for any other name.
std::optional<TImageFormat> ImageFormatOf(const std::string& fileName);

// Why a name of no format cannot be written, for the user.
constexpr const char* NoFormatProblem = "the picture's name must end in .png, .jpg, .bmp or .webp";

// The extension of the format's files: "png", "bmp", "jpg", "webp".
const char* FormatExtension(TImageFormat format);

// Whether the format keeps a picture's alpha: PNG and WebP.
bool KeepsAlpha(TImageFormat format);

// Why a width x height picture does not fit the format, for the user; empty
// when it fits. A JPEG holds at most 65500 pixels a side, a WebP 16383, a BMP
// at most 4 GiB.
std::string ImageSizeProblem(TImageFormat format, int width, int height);

// Writes a width x height picture whose rows draw puts into the rows it is
// given, with WriteFileAtomically (a read-only file is refused, a link's
// target is replaced). A PNG or WebP keeps the alpha when alpha is set; BMP
// and JPEG drop it. A JPEG or WebP is written at quality (WebPAnimation.h), a
// PNG at pngLevel (ImageEncoders.h).
// Raises TInOutError "Cannot create file <fileName>: <reason>" when
// the file cannot be written, passes on what draw raises, and either way
// leaves any previous file as it was.
void WriteImageFile(const std::string& fileName, TImageFormat format, int width, int height, bool alpha,
                    const std::function<void(TPictureRows& rows)>& draw, int quality = NoQuality,
                    int pngLevel = DefaultPngLevel);

// The same for a file of the encoder that encoder makes on the file's output,
// of pictures width pixels wide.
void WriteEncodedFile(const std::string& fileName, int width,
                      const std::function<std::unique_ptr<TImageEncoder>(TFileOutput& out)>& encoder,
                      const std::function<void(TPictureRows& rows)>& draw);
