#pragma once
// The fixture of the tests that draw box shots: a current context with the
// render state applied and the framebuffer entry points, a folder for cover
// files, and the scene of a box as plenamar-render makes it.
#include "render/artwork/CoverScene.h"
#include "render/picture/OffscreenTarget.h"
#include "render/options/RenderOptions.h"
#include "render/scene/ShotStage.h"
#include "tests/support/TestGL.h"
#include "view/RenderState.h"

#include <QOpenGLContext>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TShotFixture : public testing::Test {
protected:
    void SetUp() override
    {
        Gl = MakeTestContext(1150, 880);
        if (!Gl)
            return;
        ApplyRenderState();
        Api = TFramebufferApi::Resolve(
            [](const char* name) { return reinterpret_cast<void*>(QOpenGLContext::currentContext()->getProcAddress(name)); });
    }

    // The cover's scene in the style, at the angles given; it stays drawable
    // until the next call.
    TShotScene SceneOf(const QString& coverFile, float xRotation, float yRotation, const TShotStyle& style)
    {
        return SceneOf(TBoxArtwork{.CoverFile = coverFile.toStdString()}, xRotation, yRotation, style);
    }
    TShotScene SceneOf(const TBoxArtwork& artwork, float xRotation, float yRotation, const TShotStyle& style)
    {
        Stage = std::make_unique<TShotStage>(style);
        TShotScene scene = Stage->Scene(ResolveBox(artwork, Cache));
        scene.XRotation = xRotation;
        scene.YRotation = yRotation;
        return scene;
    }

    QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }

    std::unique_ptr<TQtContext> Gl;
    TFramebufferApi Api{};
    QTemporaryDir Folder;
    TTextureCache Cache{MaxPictureSide, MaxPictureSide};  // images read whole
    std::unique_ptr<TShotStage> Stage;
};
