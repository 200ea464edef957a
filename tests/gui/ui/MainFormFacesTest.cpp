// The face images of the main window: the five defaults read at start-up from
// the working directory, the four previews, and a double-click on a preview
// replacing one image in the preview and on the box.
#include "cover/PictureStore.h"
#include "tests/support/MainFormFixture.h"

#include <QCheckBox>
#include <QOpenGLContext>
#include <QPainter>

using namespace view_probes;

namespace {

const QColor Orange(240, 140, 20);
const QColor Teal(20, 180, 170);

class MainFormFaces : public TMainFormFixture {
protected:
    // A folder beside the working directory, as a user's picture folder.
    QString ArtPath(const QString& name) const
    {
        QDir(Work.path()).mkpath("art");
        return QDir(Work.filePath("art")).filePath(name);
    }

    void DoubleClick(TPaintBox* preview, const QString& answer)
    {
        Dialogs->Answers.push_back(answer);
        QTest::mouseDClick(preview, Qt::LeftButton, Qt::NoModifier, preview->rect().center());
    }

    std::array<std::string, FaceSlotCount> Paths() const
    {
        return {Form->CoverImagePath, Form->SpineImagePath, Form->TopImagePath, Form->FloorImagePath,
                Form->PlainImagePath};
    }

    std::array<TPaintBox*, 4> Previews() const
    {
        return {Form->PaintBoxFront, Form->PaintBoxSide, Form->PaintBoxTop, Form->PaintBoxFloor};
    }
};

// How many pixels of two pictures of one size differ by more than a rounding step.
int PixelsDiffering(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += !Near(a.pixelColor(x, y), b.pixelColor(x, y), 2);
    return count;
}

} // namespace

TEST_F(MainFormFaces, AtStartTheBoxShowsTheFilesAndThePreviewsTheStoredPictures)
{
    EXPECT_EQ(Paths(), (std::array<std::string, FaceSlotCount>{"cover.jpg", "spine.jpg", "top.jpg", "floor.jpg",
                                                               "plain.jpg"}));
    // All five textures exist, created in slot order.
    const auto ids = TextureIDs();
    EXPECT_NE(ids[0], 0u);
    for (int i = 1; i < FaceSlotCount; ++i)
        EXPECT_GT(ids[i], ids[i - 1]) << i;

    const TPictureStore store;
    const auto previews = Previews();
    for (int i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Picture.Empty())
            GTEST_SKIP() << "the built-in preview pictures are not in this build";
        QImage expected(previews[i]->size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter painter(&expected);
        store.Item(i).Picture.StretchDraw(painter, expected.rect());
        painter.end();
        const QImage shown = Shown(previews[i]);
        EXPECT_EQ(PixelsDiffering(shown, expected), 0) << store.Item(i).Name;
        // Nothing of the file's solid colour.
        EXPECT_GT(PixelsAwayFrom(shown, StartColours[i]), shown.width() * shown.height() * 9 / 10);
    }

    WaitForFrame();
    ExpectView({{CoverAtRest, StartColour(TFaceSlot::Cover)}, {BesideTheBox, Qt::white}});
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(MainFormFaces, AMissingPlainImageLeavesOnlyItsSlotWithoutTexture)
{
    ASSERT_TRUE(QFile::remove(Work.filePath("plain.jpg")));
    ASSERT_TRUE(StartForm());
    const auto ids = TextureIDs();
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(ids[i], 0u) << i;
    EXPECT_EQ(Form->PlainTexture->TextureID, 0u);
    EXPECT_EQ(Form->PlainImagePath, "plain.jpg");
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();

    // The flaps bind nothing, so the tuck flap takes the lid's top image.
    Form->CheckBoxOpen->click();
    ClickStyleCell(2);
    WaitForFrame();
    ExpectView({{TuckFlapInStyle2, StartColour(TFaceSlot::Top)}, {CoverInStyle2, StartColour(TFaceSlot::Cover)}});
}

TEST_F(MainFormFaces, CancellingTheDialogChangesNothing)
{
    const auto paths = Paths();
    const auto ids = TextureIDs();
    const QImage before = Shown(Form->PaintBoxFront);
    QTest::mouseDClick(Form->PaintBoxFront, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(Dialogs->Asked, std::vector<TFileDialogKind>{TFileDialogKind::OpenPictureDialog});
    EXPECT_EQ(Paths(), paths);
    EXPECT_EQ(TextureIDs(), ids);
    EXPECT_EQ(Shown(Form->PaintBoxFront), before);
    WaitForFrame();
    ExpectView({{CoverAtRest, StartColour(TFaceSlot::Cover)}});
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(MainFormFaces, AJpgForTheSpineShowsInThePreviewAndFromTheNextFrameOnTheBox)
{
    ClickStyleCell(2);
    WaitForFrame();
    ExpectView({{SpineInStyle2, StartColour(TFaceSlot::Spine)}});

    const QString chosen = ArtPath("side.jpg");
    WriteSolidPicture(chosen, Orange);
    DoubleClick(Form->PaintBoxSide, chosen);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->SpineImagePath, chosen.toStdString());
    // The 16 x 16 picture stretched over the whole 46 x 204 preview.
    const QImage preview = Shown(Form->PaintBoxSide);
    EXPECT_EQ(preview.size(), QSize(46, 204));
    EXPECT_EQ(PixelsAwayFrom(preview, Orange), 0);

    WaitForFrame();
    ExpectView({{SpineInStyle2, Orange},
                {CoverInStyle2, StartColour(TFaceSlot::Cover)},
                {TopInStyle2, StartColour(TFaceSlot::Top)}});
}

TEST_F(MainFormFaces, AJpegChangesThePreviewButNotTheBox)
{
    const QString chosen = ArtPath("lid.jpeg");
    WriteSolidPicture(chosen, Teal, "JPEG");
    ClickStyleCell(2);
    DoubleClick(Form->PaintBoxTop, chosen);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->TopImagePath, chosen.toStdString());
    EXPECT_EQ(PixelsAwayFrom(Shown(Form->PaintBoxTop), Teal), 0);
    WaitForFrame();
    ExpectView({{TopInStyle2, StartColour(TFaceSlot::Top)}});
}

TEST_F(MainFormFaces, APictureTheStoreCannotReadIsReportedAndOnlyThePathChanges)
{
    Form->CheckBoxFloor->click();
    const QImage before = Shown(Form->PaintBoxFloor);
    const GLuint floorTexture = Form->FloorTexture->TextureID;

    const QString tga = ArtPath("boards.tga");
    QFile file(tga);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(18, '\0') + QByteArray(16 * 16 * 3, '\x7f'));
    file.close();
    DoubleClick(Form->PaintBoxFloor, tga);
    EXPECT_EQ(Errors, QStringList{"Unknown picture file extension (.tga)"});
    EXPECT_EQ(Form->FloorImagePath, tga.toStdString());

    // A name typed into the dialog for a file that is not there.
    const QString missing = ArtPath("gone.jpg");
    DoubleClick(Form->PaintBoxFloor, missing);
    EXPECT_EQ(Errors.size(), 2);
    EXPECT_EQ(Errors.value(1), "Cannot open file " + missing);
    EXPECT_EQ(Form->FloorImagePath, missing.toStdString());

    EXPECT_EQ(Shown(Form->PaintBoxFloor), before);
    EXPECT_EQ(Form->FloorTexture->TextureID, floorTexture);
    WaitForFrame();
    ExpectView({{FloorAtRest, StartColour(TFaceSlot::Floor)}, {CoverAtRest, StartColour(TFaceSlot::Cover)}});
}

TEST_F(MainFormFaces, ShutdownReleasesTheTexturesWhileTheContextLives)
{
    for (GLuint name : TextureIDs())
        ASSERT_NE(name, 0u);
    // When the context goes, no texture object may still hold a name that
    // its destructor would delete with no context current.
    std::optional<std::array<GLuint, FaceSlotCount>> namesAtContextEnd;
    QObject::connect(Form->ViewRC, &QOpenGLContext::aboutToBeDestroyed, [&] { namesAtContextEnd = TextureIDs(); });
    Form->FormDestroy();
    ASSERT_TRUE(namesAtContextEnd.has_value());
    EXPECT_EQ(*namesAtContextEnd, (std::array<GLuint, FaceSlotCount>{}));
}
