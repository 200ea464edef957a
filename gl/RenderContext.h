#pragma once
// The rendering contexts made without a window, for plenamar-render, the
// tests, the tools and the benchmarks: Qt's, made as the window makes its own
// (QtContext.h), when there is an X display, and otherwise EGL's on Mesa's
// surfaceless platform, which needs no display at all. Either is a
// compatibility context, current from creation to destruction, so the
// window's fixed-function drawing code runs on it unchanged.
#include <memory>
#include <string>

class TRenderContext {
public:
    virtual ~TRenderContext() = default;
    // An OpenGL entry point by name; null when the implementation lacks it.
    virtual void* ProcAddress(const char* name) const = 0;
};

// Each raises TError with the reason when its context cannot be made.
std::unique_ptr<TRenderContext> CreateEglContext();
std::unique_ptr<TRenderContext> CreateQtContext();

// True when DISPLAY names an X display that accepts a connection.
bool HaveXDisplay();

// Qt's context when there is an X display, EGL's when there is none or Qt's
// fails. When neither can be made, raises TError saying what is missing.
std::unique_ptr<TRenderContext> CreateRenderContext();
