#pragma once
// The OpenGL context of a test, made as the window makes its own, with a back
// buffer of the given size:
//
//     const auto gl = MakeTestContext(64, 64);
//     if (!gl)
//         return;  // the test has failed, or been skipped, with the reason
//
// A test that cannot get its context fails: a suite that passed without
// OpenGL would have tested nothing. Only where PLENAMAR_ALLOW_NO_GL=1 asks for
// it (a machine known to lack a GL driver) are such tests skipped instead.
#include "gl/QtContext.h"

#include <memory>
#include <string>

// Null when no context can be made; the running test has then failed with the
// reason, or been skipped when PLENAMAR_ALLOW_NO_GL=1.
std::unique_ptr<TQtContext> MakeTestContext(int width, int height);

// Fails the running test because it has no GL context, with the reason, or
// skips it when PLENAMAR_ALLOW_NO_GL=1. Either way the test body does not
// go on: from SetUp it never starts; a test body returns after the call.
void ReportNoGL(const std::string& reason);
