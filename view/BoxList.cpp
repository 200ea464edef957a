#include "view/BoxList.h"

#include "cover/TextureImage.h"

GLuint CompileBoxList(GLuint previousList, float width, float height, float depth, const TBoxOptions& options,
                      const TFaceTextures& textures)
{
    glDeleteLists(previousList, 1);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (const TBoxQuad& quad : BoxQuads(width, height, depth, options)) {
        if (const TTextureImage* texture = textures[static_cast<int>(quad.Texture)])
            texture->Bind();
        glBegin(GL_QUADS);
        for (const TBoxVertex& v : quad.Vertices) {
            glTexCoord2f(v.S, v.T);
            glVertex3f(v.X, v.Y, v.Z);
        }
        glEnd();
    }
    glEndList();
    return list;
}
