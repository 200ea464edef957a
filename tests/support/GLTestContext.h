#pragma once
// A current rendering context for tests, made the way the program makes its
// own (double-buffered RGBA, 32 colour bits, 24 depth bits) with a back buffer
// of the given size. Tests that cannot get one skip with the reason:
//
//     TGLTestContext gl;
//     if (!gl.Create(64, 64)) GTEST_SKIP() << gl.Reason();
#include "view/GLLoader.h"

#include <QImage>
#include <memory>
#include <string>

class TGLTestContext {
public:
    TGLTestContext();
    ~TGLTestContext();

    bool Create(int width = 64, int height = 64);
    const std::string& Reason() const { return Reason_; }
    HDC Surface() const { return Surface_.get(); }
    HGLRC Context() const { return Context_; }

    // The back buffer as an upright picture, for checks on drawn pixels.
    QImage ReadBuffer() const;

private:
    std::unique_ptr<TViewSurface> Surface_;
    HGLRC Context_ = nullptr;
    std::string Reason_;
};
