#include "render/RenderContext.h"

#include "platform/Error.h"
#include "view/GLLoader.h"
#include "view/ViewSurface.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// A program that makes no window still needs the application object for Qt's
// contexts; tests bring their own. It lives until the process ends, held by
// Qt's own instance pointer: destroying it unloads the GL driver, whose
// process-lifetime caches leak checkers then can no longer tell from leaks.
void EnsureApplication()
{
    static int argumentCount = 1;
    static char programName[] = "plenamar-render";
    static char* arguments[] = {programName, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argumentCount, arguments);
}

class TQtContext : public TRenderContext {
public:
    TQtContext()
    {
        EnsureApplication();
        try {
            Surface = std::make_unique<TViewSurface>();
            Context = CreateViewContext(Surface.get(), opDoubleBuffered, 32, 24, 0, 0, 0, 0);
        } catch (const TError& e) {
            throw TError(std::string("Qt could not make an OpenGL context: ") + e.what());
        }
        MakeViewContextCurrent(Surface.get(), Context);
        if (QOpenGLContext::currentContext() != Context) {
            delete Context;
            throw TError("Qt could not make its OpenGL context current");
        }
    }

    ~TQtContext() override
    {
        DetachViewContext();
        delete Context;
    }

    void* ProcAddress(const char* name) const override
    {
        return reinterpret_cast<void*>(Context->getProcAddress(name));
    }

private:
    std::unique_ptr<TViewSurface> Surface;
    HGLRC Context = nullptr;
};

} // namespace

bool HaveXDisplay()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

std::unique_ptr<TRenderContext> CreateQtContext()
{
    return std::make_unique<TQtContext>();
}
