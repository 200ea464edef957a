#include "tests/support/GLTestContext.h"

#include "view/ViewSurface.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <QOpenGLContext>

TGLTestContext::TGLTestContext() = default;

TGLTestContext::~TGLTestContext()
{
    if (Context_) {
        DetachViewContext();
        delete Context_;
    }
}

bool TGLTestContext::Create(int width, int height)
{
    if (!QGuiApplication::instance()) {
        Reason_ = "no QGuiApplication in this test program";
        return false;
    }
    try {
        Surface_ = std::make_unique<TViewSurface>();
        Context_ = CreateViewContext(Surface_.get(), opDoubleBuffered, 32, 24, 0, 0, 0, 0);
        MakeViewContextCurrent(Surface_.get(), Context_);
        Surface_->ResizeBuffer(width, height);
        glViewport(0, 0, width, height);
    } catch (const std::exception& e) {
        Reason_ = std::string("no OpenGL context could be made: ") + e.what();
        return false;
    }
    return true;
}

QImage TGLTestContext::ReadBuffer() const
{
    const QSize size = Surface_->BufferSize();
    QImage image(size, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    image.mirror(false, true);
    return image;
}
