#include "render/picture/OffscreenTarget.h"

#include "platform/Error.h"

#include <algorithm>
#include <string>

namespace {

template <typename T>
void Look(const TProcLookup& lookup, T& entry, const char* name)
{
    entry = reinterpret_cast<T>(lookup(name));
    if (!entry)
        throw TError(std::string("OpenGL lacks framebuffer objects (") + name + ", OpenGL 3.0)");
}

} // namespace

TFramebufferApi TFramebufferApi::Resolve(const TProcLookup& lookup)
{
    TFramebufferApi api;
    Look(lookup, api.GenFramebuffers, "glGenFramebuffers");
    Look(lookup, api.DeleteFramebuffers, "glDeleteFramebuffers");
    Look(lookup, api.BindFramebuffer, "glBindFramebuffer");
    Look(lookup, api.GenRenderbuffers, "glGenRenderbuffers");
    Look(lookup, api.DeleteRenderbuffers, "glDeleteRenderbuffers");
    Look(lookup, api.BindRenderbuffer, "glBindRenderbuffer");
    Look(lookup, api.RenderbufferStorageMultisample, "glRenderbufferStorageMultisample");
    Look(lookup, api.GetRenderbufferParameteriv, "glGetRenderbufferParameteriv");
    Look(lookup, api.FramebufferRenderbuffer, "glFramebufferRenderbuffer");
    Look(lookup, api.CheckFramebufferStatus, "glCheckFramebufferStatus");
    Look(lookup, api.BlitFramebuffer, "glBlitFramebuffer");
    return api;
}

std::vector<int> TargetSampleCounts(const TFramebufferApi& gl)
{
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    std::vector<int> counts{1};
    GLuint probe = 0;
    gl.GenRenderbuffers(1, &probe);
    gl.BindRenderbuffer(GL_RENDERBUFFER, probe);
    for (int asked = 2; asked <= most; ++asked) {
        gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, asked, GL_RGBA8, 1, 1);
        GLint given = 0;
        gl.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &given);
        if (given > counts.back())
            counts.push_back(given);
    }
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.DeleteRenderbuffers(1, &probe);
    return counts;
}

int LargestTarget()
{
    GLint renderbuffer = 0, texture = 0, viewport[2] = {};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return std::min({renderbuffer, texture, viewport[0], viewport[1]});
}

TOffscreenTarget::TOffscreenTarget(const TFramebufferApi& gl, int width, int height, int samples)
    : Gl_(gl), Width_(width), Height_(height), Samples_(samples)
{
    const int largest = LargestTarget();
    if (width > largest || height > largest)
        throw TError("this OpenGL draws at most " + std::to_string(largest) + " pixels a side at once");
    // A multisampled target is resolved into a plain colour buffer; a plain
    // one is drawn and read itself.
    if (samples > 1) {
        Drawn_ = Framebuffer(samples, DrawnColour_, &DrawnDepth_);
        Resolved_ = Framebuffer(1, ResolvedColour_, nullptr);
    } else {
        Resolved_ = Framebuffer(1, ResolvedColour_, &DrawnDepth_);
    }
    if (Resolved_ == 0 || (samples > 1 && Drawn_ == 0)) {
        Release();
        throw TError("this OpenGL cannot draw " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels at once with " + std::to_string(samples) + (samples > 1 ? " samples" : " sample"));
    }
}

TOffscreenTarget::~TOffscreenTarget()
{
    Release();
}

void TOffscreenTarget::Release()
{
    Gl_.BindFramebuffer(GL_FRAMEBUFFER, 0);
    const GLuint framebuffers[] = {Drawn_, Resolved_};
    const GLuint renderbuffers[] = {DrawnColour_, DrawnDepth_, ResolvedColour_};
    Gl_.DeleteFramebuffers(2, framebuffers);
    Gl_.DeleteRenderbuffers(3, renderbuffers);
}

GLuint TOffscreenTarget::Framebuffer(int samples, GLuint& colour, GLuint* depth) const
{
    // A single-sampled renderbuffer is stored with 0 samples.
    const GLint stored = samples > 1 ? samples : 0;
    GLuint framebuffer = 0;
    Gl_.GenFramebuffers(1, &framebuffer);
    Gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    Gl_.GenRenderbuffers(1, &colour);
    Gl_.BindRenderbuffer(GL_RENDERBUFFER, colour);
    Gl_.RenderbufferStorageMultisample(GL_RENDERBUFFER, stored, GL_RGBA8, Width_, Height_);
    GLint given = 0;
    Gl_.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &given);
    Gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    if (depth) {
        Gl_.GenRenderbuffers(1, depth);
        Gl_.BindRenderbuffer(GL_RENDERBUFFER, *depth);
        Gl_.RenderbufferStorageMultisample(GL_RENDERBUFFER, stored, GL_DEPTH_COMPONENT24, Width_, Height_);
        Gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, *depth);
    }
    Gl_.BindRenderbuffer(GL_RENDERBUFFER, 0);
    // A count the implementation rounded up to another is not the one asked for.
    if (given != stored || Gl_.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Gl_.BindFramebuffer(GL_FRAMEBUFFER, 0);
        Gl_.DeleteFramebuffers(1, &framebuffer);
        return 0;
    }
    return framebuffer;
}

void TOffscreenTarget::Bind() const
{
    Gl_.BindFramebuffer(GL_FRAMEBUFFER, Drawn_ != 0 ? Drawn_ : Resolved_);
}

void TOffscreenTarget::Read(const TPixelRect& rect, size_t rowLength, uint8_t* rgba) const
{
    const int left = rect.X, bottom = rect.Y, right = rect.X + rect.Width, top = rect.Y + rect.Height;
    if (Drawn_ != 0) {
        Gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, Drawn_);
        Gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, Resolved_);
        Gl_.BlitFramebuffer(left, bottom, right, top, left, bottom, right, top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    Gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, Resolved_);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, GLint(rowLength));
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glReadPixels(left, bottom, rect.Width, rect.Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPopClientAttrib();
}
