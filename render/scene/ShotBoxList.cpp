#include "render/scene/ShotBoxList.h"

#include "cover/TextureImage.h"
#include "render/scene/ClampedTexture.h"
#include "render/scene/StudioBox.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

// The texture holds this many lines across its width.
constexpr int LinesInPattern = 8;

void EmitTriangles(const TShapePart& part, bool normals)
{
    glBegin(GL_TRIANGLES);
    for (const TShapeVertex& v : part.Triangles) {
        if (normals)
            glNormal3f(v.NX, v.NY, v.NZ);
        glTexCoord2f(v.S, v.T);
        glVertex3f(v.X, v.Y, v.Z);
    }
    glEnd();
}

} // namespace

GLuint MakePageLinesTexture()
{
    // 8 texels a line: paper, and a thin shadow between two sheets, darker
    // for some than for others.
    constexpr std::array<uint8_t, LinesInPattern> Shadows{176, 200, 186, 214, 170, 196, 206, 182};
    std::vector<uint8_t> texels(LinesInPattern * 8);
    for (int line = 0; line < LinesInPattern; ++line)
        for (int i = 0; i < 8; ++i)
            texels[size_t(line * 8 + i)] = i == 7 ? Shadows[size_t(line)] : i == 6 ? 236 : 255;
    return MakeRepeatingRow(GL_LUMINANCE8, GL_LUMINANCE, texels);
}

const TTextureImage* PartTexture(const TShapePart& part, const TArtTextures& textures)
{
    return part.Art ? textures[size_t(*part.Art)] : nullptr;
}

void EmitPart(const TShapePart& part, const TTextureImage* texture, bool normals, GLuint linesTexture)
{
    if (texture) {
        texture->Bind();
        EmitTriangles(part, normals);
        return;
    }
    const std::array<float, 4>& c = part.Material.Colour;
    glColor4f(c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3]);
    const bool lines = part.Material.LinesPerUnit > 0.0f;
    if (lines) {
        glBindTexture(GL_TEXTURE_2D, linesTexture);
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glScalef(1.0f / LinesInPattern, 1.0f, 1.0f);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    EmitTriangles(part, normals);
    if (lines) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    } else {
        glEnable(GL_TEXTURE_2D);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

GLuint CompileShotBoxList(GLuint previousList, const TShape& shape, const TArtTextures& textures, TLook look,
                          GLuint linesTexture)
{
    glDeleteLists(previousList, 1);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    const bool studio = look == TLook::Studio;
    for (const TShapePart& part : shape.Parts) {
        if (part.Material.SeeThrough())
            continue;
        const bool glossy = studio && part.Material.Finish == TFinish::Glossy;
        if (glossy)
            SetGloss(true);
        EmitPart(part, PartTexture(part, textures), studio, linesTexture);
        if (glossy)
            SetGloss(false);
    }
    glEndList();
    return list;
}
