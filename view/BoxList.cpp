#include "view/BoxList.h"

#include "cover/TextureImage.h"

void EmitBoxQuad(const TBoxQuad& quad, const TTextureImage* texture)
{
    if (texture)
        texture->Bind();
    glBegin(GL_QUADS);
    for (const TBoxVertex& v : quad.Vertices) {
        glTexCoord2f(v.S, v.T);
        glVertex3f(v.X, v.Y, v.Z);
    }
    glEnd();
}

GLuint CompileBoxList(GLuint previousList, float width, float height, float depth, const TBoxOptions& options,
                      const TFaceTextures& textures)
{
    glDeleteLists(previousList, 1);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (const TBoxQuad& quad : BoxQuads(width, height, depth, options))
        EmitBoxQuad(quad, textures[static_cast<int>(quad.Texture)]);
    glEndList();
    return list;
}
