#include "gl/RenderContext.h"

#include "platform/Error.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cstdio>
#include <cstring>

namespace {

std::string EglError(const std::string& what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", unsigned(eglGetError()));
    return what + " (EGL error " + code + ")";
}

bool HasExtension(const char* extensions, const char* name)
{
    if (!extensions)
        return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name))
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

class TEglContext : public TRenderContext {
public:
    TEglContext()
    {
        const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
        if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
            throw TError("EGL offers no surfaceless platform (EGL_MESA_platform_surfaceless): install Mesa's "
                         "EGL driver (Debian package libegl-mesa0)");
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay)
            Display_ = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (Display_ == EGL_NO_DISPLAY || !eglInitialize(Display_, nullptr, nullptr)) {
            Display_ = EGL_NO_DISPLAY;
            throw TError(EglError("EGL's surfaceless display could not be opened"));
        }
        try {
            MakeContext();
        } catch (...) {
            eglTerminate(Display_);
            throw;
        }
    }

    // The display stays initialised until the process ends: terminating it
    // unloads Mesa's driver, whose process-lifetime caches leak checkers then
    // can no longer tell from leaks.
    ~TEglContext() override
    {
        eglMakeCurrent(Display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(Display_, Context_);
    }

    void* ProcAddress(const char* name) const override
    {
        return reinterpret_cast<void*>(eglGetProcAddress(name));
    }

private:
    void MakeContext()
    {
        const char* extensions = eglQueryString(Display_, EGL_EXTENSIONS);
        if (!HasExtension(extensions, "EGL_KHR_surfaceless_context") ||
            !HasExtension(extensions, "EGL_KHR_no_config_context"))
            throw TError("EGL's surfaceless display cannot make a context without a surface "
                         "(EGL_KHR_surfaceless_context, EGL_KHR_no_config_context)");
        if (!eglBindAPI(EGL_OPENGL_API))
            throw TError(EglError("EGL offers no desktop OpenGL"));
        // The window's drawing code is fixed-function: a compatibility profile.
        const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        Context_ = eglCreateContext(Display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
        if (Context_ == EGL_NO_CONTEXT)
            throw TError(EglError("EGL could not make an OpenGL compatibility context"));
        if (!eglMakeCurrent(Display_, EGL_NO_SURFACE, EGL_NO_SURFACE, Context_)) {
            eglDestroyContext(Display_, Context_);
            throw TError(EglError("EGL could not make its OpenGL context current"));
        }
    }

    EGLDisplay Display_ = EGL_NO_DISPLAY;
    EGLContext Context_ = EGL_NO_CONTEXT;
};

} // namespace

std::unique_ptr<TRenderContext> CreateEglContext()
{
    return std::make_unique<TEglContext>();
}
