#include "render/scene/ShotBoxList.h"

#include "render/scene/StudioBox.h"
#include "view/BoxList.h"

GLuint CompileShotBoxList(GLuint previousList, const std::vector<TBoxQuad>& quads, const TArtTextures& textures,
                          TLook look)
{
    glDeleteLists(previousList, 1);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    auto emit = [&](const TBoxQuad& quad) {
        if (quad.Face != TBoxFace::Floor)
            EmitBoxQuad(quad, textures[size_t(ArtFaceOf(quad))]);
    };
    if (look == TLook::Window) {
        for (const TBoxQuad& quad : quads)
            emit(quad);
    } else {
        for (const TLitQuad& lit : OutwardQuads(quads)) {
            glNormal3f(lit.Normal[0], lit.Normal[1], lit.Normal[2]);
            emit(lit.Quad);
        }
    }
    glEndList();
    return list;
}
