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

// Each face slot's image is two bands: its upper half one colour, its lower
// half another, so that an image drawn upside down shows. In slot order.
struct TBands {
    QColor Upper, Lower;
};
const TBands SlotBands[FaceSlotCount] = {
    {QColor(220, 40, 40), QColor(120, 20, 20)},    // cover
    {QColor(40, 160, 40), QColor(20, 80, 20)},     // spine
    {QColor(40, 40, 220), QColor(20, 20, 120)},    // top
    {QColor(220, 200, 40), QColor(120, 100, 20)},  // floor
    {QColor(200, 40, 200), QColor(100, 20, 100)},  // plain
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
            Load(Textures[slot], SlotBands[slot]);
            TexturePointers[slot] = &Textures[slot];
        }
    }

    void Load(TTextureImage& texture, const TBands& bands)
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(bands.Upper);
        for (int y = 8; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixelColor(x, y, bands.Lower);
        const QString path =
            Folder.filePath(QStringLiteral("%1-%2.bmp").arg(bands.Upper.name().mid(1), bands.Lower.name().mid(1)));
        ASSERT_TRUE(image.save(path, "BMP"));
        ASSERT_TRUE(texture.LoadImage(path.toStdString()));
        texture.GenTexture();
    }

    QImage Render(float width, float height, float depth, const TBoxOptions& options, float xRotation,
                  float yRotation, bool showBackground = false)
    {
        List = CompileBoxList(List, width, height, depth, options, TexturePointers);
        DrawScene({.XRotation = xRotation,
                   .YRotation = yRotation,
                   .ShowBackground = showBackground,
                   .BoxList = List,
                   .FloorTexture = TexturePointers[static_cast<int>(TFaceSlot::Floor)]});
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

    static QColor Upper(TFaceSlot slot) { return SlotBands[static_cast<int>(slot)].Upper; }
    static QColor Lower(TFaceSlot slot) { return SlotBands[static_cast<int>(slot)].Lower; }

    std::unique_ptr<TQtContext> Gl;
    QTemporaryDir Folder;
    TTextureImage Textures[FaceSlotCount];
    TFaceTextures TexturePointers{};
    GLuint List = 0;
};

} // namespace
// The box is drawn at (-10, 0, -50) in eye space, so it sits left of the
// centre of the 1150 x 670 viewport at the bottom of the picture; the top 210
// rows lie outside the viewport and stay white. Every image shows its upper
// band where the face's top is: on the covers, the spine and the long side at
// the top of the box, on the top and the lid towards the spine, on the floor
// away from the eye, on the background at the top.

TEST_F(BoxRender, StartPoseShowsTheNearCoverUprightOnWhite)
{
    const QImage image = Render(20, 30, 5, {}, 0, 0);
    ExpectColours(image, {
                             {350, 400, Upper(TFaceSlot::Cover)},
                             {350, 700, Lower(TFaceSlot::Cover)},
                             {140, 310, Upper(TFaceSlot::Cover)},  // near the top-left corner
                             {565, 780, Lower(TFaceSlot::Cover)},  // near the bottom-right corner
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
                             {300, 420, Upper(TFaceSlot::Cover)},
                             {350, 650, Lower(TFaceSlot::Cover)},
                             {540, 450, Upper(TFaceSlot::Spine)},
                             {540, 700, Lower(TFaceSlot::Spine)},
                             {200, 282, Lower(TFaceSlot::Top)},
                             {460, 320, Upper(TFaceSlot::Top)},
                             {700, 500, White},
                             {150, 750, White},
                         });
}

TEST_F(BoxRender, PresetFourShowsAThinBoxFromBelow)
{
    // Depth 1, tilted so that the bottom (with the top image) shows under the cover.
    const QImage image = Render(StylePresetTable()[4]);
    ExpectColours(image, {
                             {300, 480, Upper(TFaceSlot::Cover)},
                             {300, 650, Lower(TFaceSlot::Cover)},
                             {450, 725, Lower(TFaceSlot::Top)},
                             {563, 450, Upper(TFaceSlot::Spine)},
                             {562, 600, Lower(TFaceSlot::Spine)},
                             {300, 350, White},
                             {700, 600, White},
                         });
}

TEST_F(BoxRender, OpenLidShowsTheLidAndItsPlainFlaps)
{
    const QImage turned = Render(StylePresetTable()[2], {.LidOpen = true});
    ExpectColours(turned, {
                              {300, 420, Upper(TFaceSlot::Cover)},
                              {250, 255, Lower(TFaceSlot::Top)},    // the lid
                              {480, 270, Upper(TFaceSlot::Top)},
                              {400, 240, Upper(TFaceSlot::Plain)},  // the tuck flap
                              {110, 255, Lower(TFaceSlot::Plain)},  // the -x side flap
                              {580, 300, Lower(TFaceSlot::Plain)},  // the +x side flap
                          });
    // Seen from the front the lid rises above the box's top edge.
    const QImage front = Render(20, 30, 5, {.LidOpen = true}, 0, 0);
    ExpectColours(front, {
                             {200, 272, Lower(TFaceSlot::Top)},
                             {350, 310, Upper(TFaceSlot::Cover)},
                             {350, 200, White},
                         });
}

TEST_F(BoxRender, BookLookShowsThePagesInsetBetweenTheCovers)
{
    const TStylePreset turnedLeft = StylePresetTable()[0];
    ExpectColours(Render(turnedLeft, {.Book = true}), {
                                                          {155, 400, Upper(TFaceSlot::Top)},
                                                          {155, 650, Lower(TFaceSlot::Top)},
                                                          {350, 400, Upper(TFaceSlot::Cover)},
                                                      });
    ExpectColours(Render(turnedLeft), {{155, 400, Upper(TFaceSlot::Spine)}, {155, 650, Lower(TFaceSlot::Spine)}});
}

TEST_F(BoxRender, FloorSpreadsBelowTheBoxAwayFromTheEye)
{
    ExpectColours(Render(20, 30, 5, {.Floor = true}, 0, 0), {
                                                                {350, 400, Upper(TFaceSlot::Cover)},
                                                                {800, 600, Upper(TFaceSlot::Floor)},
                                                                {800, 500, White},
                                                            });
}

TEST_F(BoxRender, BackgroundStandsUprightBehindTheBoxRightOfItsCentre)
{
    // 70 units square, 15 behind the box and 10 left of it: its right edge
    // at x = 15 (column 820), its top and bottom beyond the view.
    ExpectColours(Render(20, 30, 5, {}, 0, 0, true), {
                                                         {350, 400, Upper(TFaceSlot::Cover)},
                                                         {700, 400, Upper(TFaceSlot::Floor)},
                                                         {700, 700, Lower(TFaceSlot::Floor)},
                                                         {20, 220, Upper(TFaceSlot::Floor)},
                                                         {20, 870, Lower(TFaceSlot::Floor)},
                                                         {812, 400, Upper(TFaceSlot::Floor)},
                                                         {828, 400, White},
                                                         {350, 100, White},  // the view margin
                                                     });
}

TEST_F(BoxRender, AFaceWithoutTextureTakesTheTextureOfTheQuadBeforeIt)
{
    // The spine side follows the bottom, which binds the top image.
    TTextureImage empty;
    TexturePointers[static_cast<int>(TFaceSlot::Spine)] = &empty;
    ExpectColours(Render(StylePresetTable()[2]), {{540, 500, Upper(TFaceSlot::Top)}});
}

TEST_F(BoxRender, AReloadedImageShowsWithoutARebuild)
{
    Render(20, 30, 5, {}, 0, 0);
    const QColor orange(240, 140, 20);
    Load(Textures[static_cast<int>(TFaceSlot::Cover)], {orange, orange});
    DrawScene({.BoxList = List});
    ExpectColours(Gl->ReadBuffer(), {{350, 540, orange}});
}
