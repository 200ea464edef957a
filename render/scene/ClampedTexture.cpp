#include "render/scene/ClampedTexture.h"

#include <algorithm>

namespace {

// A new texture of the levels given, level 0 first, each a row or rows of
// bytes packed; it repeats and is mipmapped when there is more than one.
GLuint MakeTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height,
                   const std::vector<const uint8_t*>& levels)
{
    GLint bound = 0, alignment = 0;
    glGetIntegerv(target == GL_TEXTURE_1D ? GL_TEXTURE_BINDING_1D : GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(target, texture);
    const bool repeating = levels.size() > 1;
    const GLint wrap = repeating ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, repeating ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t level = 0; level < levels.size(); ++level) {
        const GLint w = std::max(width >> level, 1), h = std::max(height >> level, 1);
        if (target == GL_TEXTURE_1D)
            glTexImage1D(target, GLint(level), internalFormat, w, 0, format, GL_UNSIGNED_BYTE, levels[level]);
        else
            glTexImage2D(target, GLint(level), internalFormat, w, h, 0, format, GL_UNSIGNED_BYTE, levels[level]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(target, GLuint(bound));
    return texture;
}

} // namespace

GLuint MakeClampedTexture(GLenum target, GLint internalFormat, GLenum format, int width, int height,
                          const uint8_t* texels)
{
    return MakeTexture(target, internalFormat, format, width, height, {texels});
}

std::vector<std::vector<uint8_t>> HalvedRows(const std::vector<uint8_t>& row)
{
    std::vector<std::vector<uint8_t>> levels{row};
    while (levels.back().size() > 1) {
        const std::vector<uint8_t>& above = levels.back();
        std::vector<uint8_t> half(above.size() / 2);
        for (size_t i = 0; i < half.size(); ++i)
            half[i] = uint8_t((above[2 * i] + above[2 * i + 1] + 1) / 2);
        levels.push_back(std::move(half));
    }
    return levels;
}

GLuint MakeRepeatingRow(GLint internalFormat, GLenum format, const std::vector<uint8_t>& row)
{
    const std::vector<std::vector<uint8_t>> levels = HalvedRows(row);
    std::vector<const uint8_t*> texels;
    for (const std::vector<uint8_t>& level : levels)
        texels.push_back(level.data());
    return MakeTexture(GL_TEXTURE_2D, internalFormat, format, int(row.size()), 1, texels);
}
