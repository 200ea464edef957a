#include "cover/TextureImage.h"
#include "tests/support/TestGL.h"
#include "view/BoxList.h"
#include "view/Frame.h"
#include "view/RenderState.h"
#include "view/StylePresets.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One solid colour per face slot, in slot order.
const QColor SlotColours[FaceSlotCount] = {
    QColor(220, 40, 40),   // cover
    QColor(40, 160, 40),   // spine
    QColor(40, 40, 220),   // top
    QColor(220, 200, 40),  // floor
    QColor(200, 40, 200),  // plain
};
const QColor White(255, 255, 255);

struct TProbe {
    int X, Y;  // pixel of the upright 1150 x 880 picture
    QColor Expected;
};

// The view at the window's design size, 1150 x 880, with a solid-colour
// texture in every face slot.
class BoxRender : public testing::Test {
protected:
    void SetUp() override
    {
        Gl = MakeTestContext(1150, 880);
        if (!Gl)
            return;
        ApplyRenderState();
        SetViewProjection(1150, 880);
        for (int slot = 0; slot < FaceSlotCount; ++slot) {
            LoadSolid(Textures[slot], SlotColours[slot]);
            TexturePointers[slot] = &Textures[slot];
        }
    }

    void LoadSolid(TTextureImage& texture, QColor colour)
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = Folder.filePath(QStringLiteral("%1.bmp").arg(colour.name().mid(1)));
        ASSERT_TRUE(image.save(path, "BMP"));
        ASSERT_TRUE(texture.LoadImage(path.toStdString()));
        texture.GenTexture();
    }

    QImage Render(float width, float height, float depth, const TBoxOptions& options, float xRotation,
                  float yRotation)
    {
        List = CompileBoxList(List, width, height, depth, options, TexturePointers);
        DrawScene({.XRotation = xRotation, .YRotation = yRotation, .BoxList = List});
        return Gl->ReadBuffer();
    }

    QImage Render(const TStylePreset& preset, const TBoxOptions& options = {})
    {
        return Render(float(preset.Width), float(preset.Height), float(preset.Depth), options, preset.XRotation,
                      preset.YRotation);
    }

    static void ExpectColours(const QImage& image, const std::vector<TProbe>& probes)
    {
        ASSERT_EQ(image.size(), QSize(1150, 880));
        for (const TProbe& p : probes) {
            const QColor c = image.pixelColor(p.X, p.Y);
            EXPECT_TRUE(std::abs(c.red() - p.Expected.red()) <= 3 && std::abs(c.green() - p.Expected.green()) <= 3 &&
                        std::abs(c.blue() - p.Expected.blue()) <= 3)
                << "at (" << p.X << ", " << p.Y << ") " << c.name().toStdString() << " instead of "
                << p.Expected.name().toStdString();
        }
    }

    static QColor Slot(TFaceSlot slot) { return SlotColours[static_cast<int>(slot)]; }

    std::unique_ptr<TQtContext> Gl;
    QTemporaryDir Folder;
    TTextureImage Textures[FaceSlotCount];
    TFaceTextures TexturePointers{};
    GLuint List = 0;
};

} // namespace
// The box is drawn at (-10, 0, -50) in eye space, so it sits left of the
// centre of the 1150 x 670 viewport at the bottom of the picture; the top 210
// rows lie outside the viewport and stay white.

TEST_F(BoxRender, StartPoseShowsTheNearCoverOnWhite)
{
    const QImage image = Render(20, 30, 5, {}, 0, 0);
    ExpectColours(image, {
                             {350, 540, Slot(TFaceSlot::Cover)},
                             {140, 300, Slot(TFaceSlot::Cover)},  // near the top-left corner
                             {565, 790, Slot(TFaceSlot::Cover)},  // near the bottom-right corner
                             {800, 540, White},
                             {350, 250, White},  // above the box
                             {350, 840, White},  // below it
                             {350, 100, White},  // the view margin
                         });
}

TEST_F(BoxRender, PresetTwoLooksDownOnTheTopAndAtTheSpine)
{
    const QImage image = Render(StylePresetTable()[2]);
    ExpectColours(image, {
                             {300, 500, Slot(TFaceSlot::Cover)},
                             {540, 500, Slot(TFaceSlot::Spine)},
                             {330, 300, Slot(TFaceSlot::Top)},
                             {700, 500, White},
                             {150, 750, White},
                         });
}

TEST_F(BoxRender, PresetFourShowsAThinBoxFromBelow)
{
    // Depth 1, tilted so that the bottom (with the top image) shows under the cover.
    const QImage image = Render(StylePresetTable()[4]);
    ExpectColours(image, {
                             {300, 600, Slot(TFaceSlot::Cover)},
                             {300, 745, Slot(TFaceSlot::Top)},
                             {563, 550, Slot(TFaceSlot::Spine)},
                             {300, 350, White},
                             {700, 600, White},
                         });
}

TEST_F(BoxRender, OpenLidShowsTheLidAndItsPlainFlaps)
{
    const QImage turned = Render(StylePresetTable()[2], {.LidOpen = true});
    ExpectColours(turned, {
                              {300, 500, Slot(TFaceSlot::Cover)},
                              {330, 270, Slot(TFaceSlot::Top)},    // the lid
                              {400, 240, Slot(TFaceSlot::Plain)},  // the tuck flap
                              {110, 255, Slot(TFaceSlot::Plain)},  // the -x side flap
                              {580, 300, Slot(TFaceSlot::Plain)},  // the +x side flap
                          });
    // Seen from the front the lid rises above the box's top edge.
    const QImage front = Render(20, 30, 5, {.LidOpen = true}, 0, 0);
    ExpectColours(front, {
                             {350, 272, Slot(TFaceSlot::Top)},
                             {350, 300, Slot(TFaceSlot::Cover)},
                             {350, 200, White},
                         });
}

TEST_F(BoxRender, BookLookShowsThePagesInsetBetweenTheCovers)
{
    const TStylePreset turnedLeft = StylePresetTable()[0];
    ExpectColours(Render(turnedLeft, {.Book = true}), {
                                                          {155, 500, Slot(TFaceSlot::Top)},
                                                          {350, 500, Slot(TFaceSlot::Cover)},
                                                      });
    ExpectColours(Render(turnedLeft), {{155, 500, Slot(TFaceSlot::Spine)}});
}

TEST_F(BoxRender, FloorSpreadsBelowTheBox)
{
    ExpectColours(Render(20, 30, 5, {.Floor = true}, 0, 0), {
                                                                {350, 540, Slot(TFaceSlot::Cover)},
                                                                {800, 700, Slot(TFaceSlot::Floor)},
                                                                {350, 860, Slot(TFaceSlot::Floor)},
                                                                {800, 500, White},
                                                            });
}

TEST_F(BoxRender, AFaceWithoutTextureTakesTheTextureOfTheQuadBeforeIt)
{
    // The spine side follows the bottom, which binds the top image.
    TTextureImage empty;
    TexturePointers[static_cast<int>(TFaceSlot::Spine)] = &empty;
    ExpectColours(Render(StylePresetTable()[2]), {{540, 500, Slot(TFaceSlot::Top)}});
}

TEST_F(BoxRender, AReloadedImageShowsWithoutARebuild)
{
    Render(20, 30, 5, {}, 0, 0);
    const QColor orange(240, 140, 20);
    LoadSolid(Textures[static_cast<int>(TFaceSlot::Cover)], orange);
    DrawScene({.BoxList = List});
    ExpectColours(Gl->ReadBuffer(), {{350, 540, orange}});
}
