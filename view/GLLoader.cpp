#include "view/GLLoader.h"

#include "platform/Error.h"
#include "view/ViewSurface.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <cerrno>
#include <dlfcn.h>

namespace {

void* OpenGLLibrary = nullptr;
void* GLULibrary = nullptr;

void Unload(void*& library)
{
    if (library)
        dlclose(library);
    library = nullptr;
}

} // namespace

bool LoadGraphicsLibraries(const std::string& openGLName, const std::string& gluName)
{
    Unload(OpenGLLibrary);
    Unload(GLULibrary);
    OpenGLLibrary = dlopen(openGLName.c_str(), RTLD_NOW | RTLD_GLOBAL);
    GLULibrary = dlopen(gluName.c_str(), RTLD_NOW | RTLD_GLOBAL);
    return OpenGLLibrary != nullptr;
}

HGLRC CreateViewContext(HDC dc, unsigned options, int colorBits, int depthBits, int stencilBits,
                        int accumBits, int auxBuffers, int layer)
{
    errno = 0;
    if (!dc)
        RaiseLastOSError();
    // Accumulation and auxiliary buffers and overlay planes do not exist in
    // this binding; a request for them cannot be met.
    if (accumBits != 0 || auxBuffers != 0 || layer != 0 || (options & (opGDI | opStereo)))
        RaiseLastOSError();

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    const int channel = colorBits >= 32 ? 8 : colorBits / 3;
    format.setRedBufferSize(channel);
    format.setGreenBufferSize(channel);
    format.setBlueBufferSize(channel);
    format.setAlphaBufferSize(colorBits >= 32 ? 8 : 0);
    format.setDepthBufferSize(depthBits);
    format.setStencilBufferSize(stencilBits);
    format.setSamples(0);
    format.setSwapBehavior((options & opDoubleBuffered) ? QSurfaceFormat::DoubleBuffer
                                                       : QSurfaceFormat::SingleBuffer);

    dc->Surface()->setFormat(format);
    dc->Surface()->create();
    if (!dc->Surface()->isValid())
        RaiseLastOSError();
    auto* context = new QOpenGLContext;
    context->setFormat(format);
    if (!context->create()) {
        delete context;
        RaiseLastOSError();
    }
    return context;
}

void MakeViewContextCurrent(HDC dc, HGLRC rc)
{
    if (!dc)
        throw TError("DC must not be 0");
    if (!rc)
        throw TError("RC must not be 0");
    rc->makeCurrent(dc->Surface());
    dc->BindBuffer();
}

void DetachViewContext()
{
    if (QOpenGLContext* current = QOpenGLContext::currentContext())
        current->doneCurrent();
}
