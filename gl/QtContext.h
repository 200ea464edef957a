#pragma once
// Qt's rendering context without a window, made as the window makes its own:
// the view's drawing surface (ViewSurface.h) and a double-buffered RGBA
// context with 32 colour bits and 24 depth bits on it, current from
// construction to destruction. Without a QGuiApplication it makes one, which
// then lives until the process ends.
#include "gl/RenderContext.h"
#include "view/GLLoader.h"

#include <QImage>
#include <memory>
#include <string>

class TQtContext final : public TRenderContext {
public:
    // Raises TError with the reason when the context cannot be made current.
    TQtContext();
    ~TQtContext() override;
    TQtContext(const TQtContext&) = delete;
    TQtContext& operator=(const TQtContext&) = delete;

    void* ProcAddress(const char* name) const override;

    HDC Surface() const { return Surface_.get(); }
    HGLRC Context() const { return Context_; }

    // Makes the back buffer width x height, binds it and sets the viewport to it.
    void SizeBuffer(int width, int height);
    // The back buffer as an upright RGBA picture, for checks on drawn pixels.
    QImage ReadBuffer() const;

private:
    std::unique_ptr<TViewSurface> Surface_;
    HGLRC Context_ = nullptr;
};

// A current context with a back buffer of width x height; null, with the
// reason in reason, when none can be made.
std::unique_ptr<TQtContext> MakeQtContext(int width, int height, std::string& reason);
