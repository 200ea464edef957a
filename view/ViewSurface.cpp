#include "view/ViewSurface.h"

#include "view/ViewPresenter.h"

#include <GL/gl.h>
#include <QOffscreenSurface>
#include <QOpenGLFramebufferObject>

namespace {

// Reads the block of the bound buffer whose lower-left corner is (x, y) into
// image, 4 bytes a pixel, and turns it upright. The rows are packed as the
// image's are (4-byte aligned) whatever alignment is in force, which is
// restored after the read.
void ReadBlock(int x, int y, GLenum format, QImage& image)
{
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, image.width(), image.height(), format, GL_UNSIGNED_BYTE, image.bits());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    image.mirror(false, true);
}

} // namespace

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

QImage TViewSurface::ReadBuffer() const
{
    QImage image(BufferSize(), QImage::Format_RGBA8888);
    if (!image.isNull())
        ReadBlock(0, 0, GL_RGBA, image);
    return image;
}

void TViewSurface::SwapBuffers()
{
    if (!Presenter_ || !Buffer_)
        return;
    const QRect shown = Presenter_->ShownRect().intersected(QRect(QPoint(0, 0), Buffer_->size()));
    if (shown.isEmpty())
        return;
    // OpenGL rows run bottom-up.
    ReadBlock(shown.x(), Buffer_->height() - shown.y() - shown.height(), GL_BGRA,
              Presenter_->FrameImage(shown.size()));
    Presenter_->Present();
}
