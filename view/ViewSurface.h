#pragma once
// The drawing surface of the box view: an offscreen surface for the context, a
// framebuffer object the size of the window's client area that plays the back
// buffer, and the swap that hands the finished frame to the presenter widget.
#include <QImage>
#include <QSize>
#include <memory>

class QOffscreenSurface;
class QOpenGLFramebufferObject;
class TViewPresenter;

class TViewSurface {
public:
    // Without a presenter the surface draws offscreen only (tests, tools).
    explicit TViewSurface(TViewPresenter* presenter = nullptr);
    ~TViewSurface();
    TViewSurface(const TViewSurface&) = delete;
    TViewSurface& operator=(const TViewSurface&) = delete;

    QOffscreenSurface* Surface() const { return Surface_.get(); }

    // Makes the back buffer width x height (at least 1 x 1) and binds it.
    // Needs the context current; keeps the buffer when the size is the same.
    void ResizeBuffer(int width, int height);
    // Binds the back buffer, when there is one, as the target of drawing and reading.
    void BindBuffer();
    QSize BufferSize() const;
    // The whole back buffer as an upright RGBA picture. Needs the context current.
    QImage ReadBuffer() const;

    // Hands the part of the frame that the presenter shows to it.
    void SwapBuffers();

private:
    std::unique_ptr<QOffscreenSurface> Surface_;
    std::unique_ptr<QOpenGLFramebufferObject> Buffer_;
    TViewPresenter* Presenter_;
};

