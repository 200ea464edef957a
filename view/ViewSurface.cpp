#include "view/ViewSurface.h"

#include "view/ViewPresenter.h"

#include <GL/gl.h>
#include <QOffscreenSurface>
#include <QOpenGLFramebufferObject>

TViewSurface::TViewSurface(TViewPresenter* presenter)
    : Surface_(std::make_unique<QOffscreenSurface>()), Presenter_(presenter)
{
}

TViewSurface::~TViewSurface() = default;

void TViewSurface::ResizeBuffer(int width, int height)
{
    const QSize size(std::max(width, 1), std::max(height, 1));
    if (!Buffer_ || Buffer_->size() != size) {
        Buffer_.reset();
        Buffer_ = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
    }
    BindBuffer();
}

void TViewSurface::BindBuffer()
{
    if (Buffer_)
        Buffer_->bind();
}

QSize TViewSurface::BufferSize() const
{
    return Buffer_ ? Buffer_->size() : QSize();
}

void TViewSurface::SwapBuffers()
{
    if (!Presenter_ || !Buffer_)
        return;
    const QRect shown = Presenter_->ShownRect().intersected(QRect(QPoint(0, 0), Buffer_->size()));
    if (shown.isEmpty())
        return;
    QImage& frame = Presenter_->FrameImage(shown.size());
    // OpenGL rows run bottom-up: read the block, then turn it upright in place.
    glReadPixels(shown.x(), Buffer_->height() - shown.y() - shown.height(), shown.width(),
                 shown.height(), GL_BGRA, GL_UNSIGNED_BYTE, frame.bits());
    frame.mirror(false, true);
    Presenter_->Present();
}
