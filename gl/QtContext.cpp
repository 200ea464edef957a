#include "gl/QtContext.h"

#include "platform/Error.h"
#include "view/ViewSurface.h"

#include <GL/gl.h>
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
    static char programName[] = "plenamar";
    static char* arguments[] = {programName, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argumentCount, arguments);
}

} // namespace

TQtContext::TQtContext()
{
    EnsureApplication();
    try {
        Surface_ = std::make_unique<TViewSurface>();
        Context_ = CreateViewContext(Surface_.get(), opDoubleBuffered, 32, 24, 0, 0, 0, 0);
    } catch (const TError& e) {
        throw TError(std::string("Qt could not make an OpenGL context: ") + e.what());
    }
    MakeViewContextCurrent(Surface_.get(), Context_);
    if (QOpenGLContext::currentContext() != Context_) {
        delete Context_;
        throw TError("Qt could not make its OpenGL context current");
    }
}

TQtContext::~TQtContext()
{
    DetachViewContext();
    delete Context_;
}

void* TQtContext::ProcAddress(const char* name) const
{
    return reinterpret_cast<void*>(Context_->getProcAddress(name));
}

void TQtContext::SizeBuffer(int width, int height)
{
    Surface_->ResizeBuffer(width, height);
    glViewport(0, 0, width, height);
}

QImage TQtContext::ReadBuffer() const
{
    return Surface_->ReadBuffer();
}

std::unique_ptr<TQtContext> MakeQtContext(int width, int height, std::string& reason)
{
    try {
        auto context = std::make_unique<TQtContext>();
        context->SizeBuffer(width, height);
        return context;
    } catch (const TError& e) {
        reason = std::string("no OpenGL context could be made: ") + e.what();
        return nullptr;
    }
}

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
