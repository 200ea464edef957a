#pragma once
// Compiling the box geometry list: the box's quads, each preceded by a bind of
// its face slot's texture, into one display list.
#include "cover/FaceSlot.h"
#include "view/BoxGeometry.h"

#include <GL/gl.h>
#include <array>

class TTextureImage;

// The texture object of each face slot, indexed by TFaceSlot.
using TFaceTextures = std::array<const TTextureImage*, FaceSlotCount>;

// Binds the texture object's texture (nothing for null, or for an object
// without one) and draws the quad with its texture coordinates.
void EmitBoxQuad(const TBoxQuad& quad, const TTextureImage* texture);

// Deletes previousList (0 deletes nothing), compiles the box into one new
// list and returns its name. Needs the rendering context current. Each quad
// binds its texture again, even when it is already bound; a texture object
// without a texture (or a null one) binds nothing, so its quads take the
// texture bound before them. The list records the texture names as they are
// when it is compiled.
GLuint CompileBoxList(GLuint previousList, float width, float height, float depth, const TBoxOptions& options,
                      const TFaceTextures& textures);
