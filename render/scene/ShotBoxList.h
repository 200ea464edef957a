#pragma once
// A box shot's shape compiled into one display list: its opaque parts, each
// binding the texture of the face it shows or, without one, drawn in its
// material's colour (a page edge with its lines); in the studio look each
// vertex with its normal (StudioBox.h), and a glossy part with its
// highlight. The see-through parts are drawn apart, after it, back to front
// (SeeThrough.h).
#include "render/artwork/CoverScene.h"
#include "render/scene/ShotStyle.h"
#include "render/shapes/Shape.h"

#include <GL/gl.h>

// Deletes previousList (0 deletes nothing) and returns the new list's name.
// Needs the rendering context current; linesTexture is PageLinesTexture's.
GLuint CompileShotBoxList(GLuint previousList, const TShape& shape, const TArtTextures& textures, TLook look,
                          GLuint linesTexture);

// A new texture of the page lines a material's LinesPerUnit asks for: eight
// lines of paper, each a little different, across its width, repeating.
GLuint MakePageLinesTexture();

// The texture a part shows: its face's, when the part shows one and the
// face has an image; null for its material alone.
const TTextureImage* PartTexture(const TShapePart& part, const TArtTextures& textures);

// Draws the part's triangles (with normals when `normals`), in its
// material's colour unless `texture` is given, premultiplied by its opacity.
void EmitPart(const TShapePart& part, const TTextureImage* texture, bool normals, GLuint linesTexture);
