#include "gl/RenderContext.h"

#include "platform/Error.h"

std::unique_ptr<TRenderContext> CreateRenderContext()
{
    std::string qtReason = "there is no X display (DISPLAY is unset or refuses connections)";
    if (HaveXDisplay()) {
        try {
            return CreateQtContext();
        } catch (const TError& e) {
            qtReason = e.what();
        }
    }
    try {
        return CreateEglContext();
    } catch (const TError& e) {
        throw TError("cannot make an OpenGL context: " + qtReason + "; and " + e.what());
    }
}
