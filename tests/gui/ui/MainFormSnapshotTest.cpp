// Snapshots through the main window's toolbar: the view captured into the
// snapshot file in the home folder, smoothed into the preview, and exported.
#include "snapshot/BmpFile.h"
#include "tests/support/MainFormFixture.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/StatusBar.h"

#include <QPainter>
#include <QtEndian>
#include <cstring>

namespace {

class MainFormSnapshot : public TMainFormFixture {
protected:
    void SetUp() override
    {
        SavedHome = qgetenv("HOME");
        QDir().mkpath(Home());
        qputenv("HOME", QFile::encodeName(Home()));
        TMainFormFixture::SetUp();
    }

    void TearDown() override
    {
        TMainFormFixture::TearDown();
        qputenv("HOME", SavedHome);
    }

    QString Home() const { return Work.filePath("home"); }
    QString SnapshotFile() const { return Home() + "/CaptureRender.bmp"; }

    // The client area as the last frame left it, upright.
    QImage ViewAsDrawn() const
    {
        Form->ViewDC->BindBuffer();
        QImage view(Form->size(), QImage::Format_RGBA8888);
        glReadPixels(0, 0, view.width(), view.height(), GL_RGBA, GL_UNSIGNED_BYTE, view.bits());
        return view.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void Export(const QString& path)
    {
        Dialogs->Answers.push_back(path);
        Form->ToolButton8->click();
    }

    QByteArray SavedHome;
};

template <typename T>
T Field(const QByteArray& data, int offset)
{
    T value;
    std::memcpy(&value, data.constData() + offset, sizeof value);
    return qFromLittleEndian(value);
}

} // namespace

TEST_F(MainFormSnapshot, TheSnapshotHoldsTheViewAsDrawnAndShowsInThePreview)
{
    WaitForFrame();
    const QImage view = ViewAsDrawn();
    const long frames = Form->FramesDrawn;
    Form->ToolButton3->click();
    EXPECT_EQ(Form->FramesDrawn, frames);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->StatusBar->SimpleText(), "BMP file has been successfully Created!");

    // A 950 x 878 bitmap of 24 bits, bottom-up, uncompressed, no colour table.
    const QByteArray file = Read(SnapshotFile());
    const int rowBytes = (950 * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 54 + rowBytes * 878);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(Field<uint32_t>(file, 2), uint32_t(file.size()));
    EXPECT_EQ(Field<uint32_t>(file, 10), 54u);
    EXPECT_EQ(Field<uint32_t>(file, 14), 40u);
    EXPECT_EQ(Field<int32_t>(file, 18), 950);
    EXPECT_EQ(Field<int32_t>(file, 22), 878);
    EXPECT_EQ(Field<uint16_t>(file, 28), 24);
    EXPECT_EQ(Field<uint32_t>(file, 30), 0u);

    // Outside the smoothed corner, the client area's rows 1 to 878 as drawn.
    const QImage snapshot = QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(snapshot.size(), QSize(950, 878));
    int differing = 0, cover = 0;
    for (int y = 0; y < 878; ++y)
        for (int x = 0; x < 950; ++x) {
            if (x < 323 && y < 248)
                continue;
            differing += snapshot.pixel(x, y) != view.pixel(x, y + 1);
            cover += Near(snapshot.pixelColor(x, y), StartColour(TFaceSlot::Cover));
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(cover, 50000);  // the box is in the picture

    // The preview holds the smoothed picture of the file, stretched over it.
    const TBitmap24* preview = Form->SnapShotImage->Picture().Bitmap();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(*preview, DecodeBmp(std::string_view(file.constData(), size_t(file.size()))));
    QImage expected(323, 248, QImage::Format_RGB32);
    QPainter(&expected).drawImage(expected.rect(), snapshot);
    const QImage shown = Shown(Form->SnapShotImage);
    ASSERT_EQ(shown.size(), expected.size());
    int shownDiffering = 0;
    for (int y = 0; y < 248; ++y)
        for (int x = 0; x < 323; ++x)
            shownDiffering += !Near(shown.pixelColor(x, y), expected.pixelColor(x, y), 2);
    EXPECT_EQ(shownDiffering, 0);
}

TEST_F(MainFormSnapshot, ExportWritesNothingBeforeASnapshotAndBitmapDataAfterOne)
{
    const QString png = Work.filePath("x.png");
    Export(png);
    EXPECT_EQ(Dialogs->Asked, std::vector<TFileDialogKind>{TFileDialogKind::SavePictureDialog});
    EXPECT_FALSE(QFile::exists(png));
    EXPECT_FALSE(QFile::exists(SnapshotFile()));

    WaitForFrame();
    Form->ToolButton3->click();
    Export(png);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Read(png), Read(SnapshotFile()));
    EXPECT_TRUE(Read(png).startsWith("BM"));

    // Cancelling writes nothing.
    ASSERT_TRUE(QFile::remove(png));
    Form->ToolButton8->click();
    EXPECT_FALSE(QFile::exists(png));
}

TEST_F(MainFormSnapshot, AnUnwritableHomeIsReportedAndThePreviewKeepsItsPicture)
{
    WaitForFrame();
    Form->ToolButton3->click();
    ASSERT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    const TBitmap24 before = *Form->SnapShotImage->Picture().Bitmap();
    const QByteArray written = Read(SnapshotFile());

    // A home below a regular file cannot be written, not even by root.
    QFile blocker(Work.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString home = Work.filePath("blocker/home");
    qputenv("HOME", QFile::encodeName(home));
    ClickStyleCell(2);
    WaitForFrame();
    Form->ToolButton3->click();
    EXPECT_EQ(Errors, QStringList{"Cannot create file " + home + "/CaptureRender.bmp: Not a directory"});
    EXPECT_EQ(Form->StatusBar->SimpleText(), "Creating Bitmap");
    EXPECT_EQ(*Form->SnapShotImage->Picture().Bitmap(), before);
    EXPECT_EQ(Read(SnapshotFile()), written);
}
