#pragma once
// A box shot's box compiled into one display list: its quads, each binding
// the texture of the face it shows (ArtFaceOf: the back cover its own), and
// in the studio look each with its outward normal (StudioBox.h). A floor
// among the quads is left out: the shot draws it apart.
#include "render/artwork/CoverScene.h"
#include "render/scene/ShotStyle.h"
#include "view/BoxGeometry.h"

#include <GL/gl.h>
#include <vector>

// Deletes previousList (0 deletes nothing) and returns the new list's name.
// Needs the rendering context current.
GLuint CompileShotBoxList(GLuint previousList, const std::vector<TBoxQuad>& quads, const TArtTextures& textures,
                          TLook look);
