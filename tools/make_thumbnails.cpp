// Renders the five 128 x 128 style thumbnails with the box view itself: the
// sample artwork on the box in each preset's pose and size, drawn by the
// program's own geometry list and frame at the view's real framing (three
// times larger than the window's design size of 1150 x 880), then cropped to
// the box with a small margin and scaled down smoothly onto a transparent
// background.
//
// The generated files are committed; re-make them after changing the sample
// faces, the presets or the box view:
//
//   cmake -S . -B build -G Ninja && ninja -C build make_thumbnails
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/tools/make_thumbnails          # this source tree
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/tools/make_thumbnails <root>   # another root
//
// It reads <root>/sample/{cover,spine,top,floor,plain}.jpg and writes
// <root>/assets/thumbnails/preset0.png .. preset4.png.
#include "cover/TextureImage.h"
#include "gl/QtContext.h"
#include "tools/OpaqueBounds.h"
#include "view/BoxList.h"
#include "view/Frame.h"
#include "view/RenderState.h"
#include "view/StylePresets.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Scale = 3;
constexpr int ThumbnailSide = 128;
constexpr int Margin = 5;  // thumbnail pixels around the box on its longer side

// The read-back frame with the white clear (alpha 0.5) made transparent; the
// box's own pixels are opaque, whatever their colour.
QImage CutOutBox(const QImage& frame)
{
    QImage box = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < box.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(box.scanLine(y));
        for (int x = 0; x < box.width(); ++x)
            if (qAlpha(row[x]) != 255)
                row[x] = 0;
    }
    return box;
}

// A square around the box with the margin, scaled down to the thumbnail.
QImage Thumbnail(const QImage& box)
{
    const QRect bounds = OpaqueBounds(box);
    const int side = std::max(bounds.width(), bounds.height()) * ThumbnailSide / (ThumbnailSide - 2 * Margin);
    QRect square(0, 0, side, side);
    square.moveCenter(bounds.center());
    // Pixels outside the frame come out transparent.
    return box.copy(square)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(ThumbnailSide, ThumbnailSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PLENAMAR_SOURCE_DIR);

    const int width = DesignClientWidth * Scale, height = DesignClientHeight * Scale;
    std::string reason;
    const auto gl = MakeQtContext(width, height, reason);
    if (!gl) {
        std::fprintf(stderr, "make_thumbnails: %s\n", reason.c_str());
        return 1;
    }
    ApplyRenderState();
    SetViewProjection(width, height);
    glViewport(0, 0, width, height - ViewMargin * Scale);

    const char* const faceFiles[FaceSlotCount] = {"cover.jpg", "spine.jpg", "top.jpg", "floor.jpg", "plain.jpg"};
    TTextureImage textures[FaceSlotCount];
    TFaceTextures texturePointers{};
    for (int slot = 0; slot < FaceSlotCount; ++slot) {
        const QString path = root + "/sample/" + faceFiles[slot];
        if (!textures[slot].LoadImage(path.toStdString())) {
            std::fprintf(stderr, "make_thumbnails: cannot load %s\n", qPrintable(path));
            return 1;
        }
        textures[slot].GenTexture();
        texturePointers[slot] = &textures[slot];
    }

    const QString folder = root + "/assets/thumbnails/";
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_thumbnails: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    GLuint list = 0;
    int index = 0;
    for (const TStylePreset& preset : StylePresetTable()) {
        list = CompileBoxList(list, float(preset.Width), float(preset.Height), float(preset.Depth), {},
                              texturePointers);
        DrawScene({.XRotation = preset.XRotation, .YRotation = preset.YRotation, .BoxList = list});
        const QString path = folder + QStringLiteral("preset%1.png").arg(index++);
        if (!Thumbnail(CutOutBox(gl->ReadBuffer())).save(path, "PNG")) {
            std::fprintf(stderr, "make_thumbnails: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    return 0;
}
