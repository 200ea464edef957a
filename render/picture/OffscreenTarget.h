#pragma once
// The drawing target of a box shot: a framebuffer object of one tile's size,
// colour RGBA 8 bits and depth 24, multisampled when asked for; a multisampled
// one is resolved by a blit into a plain colour buffer to be read back.
// Framebuffer objects are OpenGL 3.0, beyond the 1.1 the window needs, so
// their entry points are looked up through the context.
#include "render/picture/Tiles.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdint>
#include <functional>
#include <vector>

using TProcLookup = std::function<void*(const char*)>;

struct TFramebufferApi {
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC RenderbufferStorageMultisample;
    PFNGLGETRENDERBUFFERPARAMETERIVPROC GetRenderbufferParameteriv;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer;

    // Raises TError naming the first entry point the context lacks.
    static TFramebufferApi Resolve(const TProcLookup& lookup);
};

class TOffscreenTarget {
public:
    // Raises TError when the implementation cannot make the target: larger
    // than LargestTarget, out of memory, or a sample count it does not hold
    // exactly (see TargetSampleCounts).
    TOffscreenTarget(const TFramebufferApi& gl, int width, int height, int samples);
    ~TOffscreenTarget();
    TOffscreenTarget(const TOffscreenTarget&) = delete;
    TOffscreenTarget& operator=(const TOffscreenTarget&) = delete;

    int Width() const { return Width_; }
    int Height() const { return Height_; }
    int Samples() const { return Samples_; }

    // Binds the target for drawing.
    void Bind() const;
    // Resolves the samples of the pixels of `rect` (x from the left, y from
    // the bottom row) and reads them into rgba, whose rows are rowLength
    // pixels long: 4 bytes a pixel, red, green, blue, alpha (the target's
    // own order, which the GL copies as it is), bottom row first. The pack
    // state is left as it was.
    void Read(const TPixelRect& rect, size_t rowLength, uint8_t* rgba) const;

private:
    // A complete framebuffer with its colour renderbuffer and, when depth is
    // given, a depth renderbuffer; or 0.
    GLuint Framebuffer(int samples, GLuint& colour, GLuint* depth) const;
    void Release();

    const TFramebufferApi& Gl_;
    int Width_, Height_, Samples_;
    GLuint Drawn_ = 0, DrawnColour_ = 0, DrawnDepth_ = 0;
    GLuint Resolved_ = 0, ResolvedColour_ = 0;
};

// The largest side of a target here: the least of the GL's renderbuffer,
// texture and viewport limits. Needs the rendering context current.
int LargestTarget();

// The sample counts a target holds exactly here, from 1 up. A request for a
// count between two of them gets the next higher one, so no others are
// offered. Needs the rendering context current.
std::vector<int> TargetSampleCounts(const TFramebufferApi& gl);
