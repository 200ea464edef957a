#pragma once
// The renderer's own texture upload: an image at its own size, where the
// window's texture object scales it to a power of two and builds mipmaps with
// GLU (cover/TextureImage.h). A box shot is often far larger than the window's
// view, and the image's own pixels serve it better than a resampling that may
// halve them; the upload costs a copy instead of GLU's resampling. The
// texture's filters and wrapping are its own, as in the window: linear, so the
// unused mipmaps are not missed.
class TTextureImage;

// Makes the texture's GL texture from its ImageData, keeping its GL name as
// GenTexture does; nothing when it holds no pixels. An image larger than the
// GL's textures goes through GenTexture, which scales it down to fit.
void UploadTexture(TTextureImage& texture);
