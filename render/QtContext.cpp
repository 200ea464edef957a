#include "render/RenderContext.h"

#include "platform/Error.h"
#include "view/GLLoader.h"
#include "view/ViewSurface.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

class TQtContext : public TRenderContext {
public:
    TQtContext()
    {
        // A program that makes no window still needs the application object
        // for Qt's contexts; tests bring their own.
        if (!QGuiApplication::instance())
            Application = std::make_unique<QGuiApplication>(ArgumentCount, Arguments);
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

    std::string Kind() const override { return "Qt (X display)"; }

private:
    static inline int ArgumentCount = 1;
    static inline char ProgramName[] = "plenamar-render";
    static inline char* Arguments[] = {ProgramName, nullptr};

    // Declared first so that it is destroyed last.
    std::unique_ptr<QGuiApplication> Application;
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
