#pragma once
// A face's pixels as the image file a 3D file embeds: scaled to the
// texture's size, top row first, as JPEG, or as PNG where some pixel is not
// opaque (its cut-outs' edges bled first, so that the scaling does not
// darken them).
#include "render/artwork/BoxPlan.h"
#include "render/export/GlbModel.h"

class TTextureImage;

// The quality of a texture's JPEG: the artwork's detail without its
// artefacts, at a small share of a PNG's bytes.
constexpr int TextureJpegQuality = 90;

// Raises TError when the pixels cannot be encoded.
TEncodedImage EncodeTexture(const TTextureImage& image, TPixelSize size);
