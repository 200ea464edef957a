#include "platform/Error.h"
#include "snapshot/BmpFile.h"
#include "snapshot/Capture.h"
#include "tests/snapshot/BitmapTestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// A reader that fills window row i with grey level i and notes the rows read.
struct TFakeView {
    std::vector<int> RowsRead;
    int FailingRow = -1;

    TRowReader Reader()
    {
        return [this](int windowRow, int width, uint8_t* row) {
            RowsRead.push_back(windowRow);
            if (windowRow == FailingRow)
                throw std::runtime_error("read fault");
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    row[3 * x + c] = static_cast<uint8_t>(windowRow);
        };
    }
};

} // namespace

TEST(Capture, WindowRowsOneToHeightBecomeTheBitmapBottomUp)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("c.bmp").toStdString();
    TFakeView view;
    CaptureViewToFile(path, 5, 4, view.Reader());
    EXPECT_EQ(view.RowsRead, (std::vector<int>{1, 2, 3, 4}));
    const TBitmap24 bitmap = LoadBitmapFromFile(path);
    ASSERT_EQ(bitmap.Width(), 5);
    ASSERT_EQ(bitmap.Height(), 4);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(PixelAt(bitmap, 4, y), Grey(static_cast<uint8_t>(4 - y))) << y;
}

TEST(Capture, AFaultingRowIsSkippedAndTheRestIsRead)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("c.bmp").toStdString();
    TFakeView view;
    view.FailingRow = 2;
    CaptureViewToFile(path, 3, 4, view.Reader());
    EXPECT_EQ(view.RowsRead, (std::vector<int>{1, 2, 3, 4}));
    const TBitmap24 bitmap = LoadBitmapFromFile(path);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), Grey(4));
    EXPECT_EQ(PixelAt(bitmap, 0, 1), Grey(3));
    EXPECT_EQ(PixelAt(bitmap, 0, 2), Grey(0));  // window row 2
    EXPECT_EQ(PixelAt(bitmap, 0, 3), Grey(1));
}

TEST(Capture, ABitmapThatCannotBeMadeIsStillWrittenThenReported)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("c.bmp").toStdString();
    TFakeView view;
    try {
        CaptureViewToFile(path, -50, 878, view.Reader());
        ADD_FAILURE();
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), "Cannot make a bitmap of -50 x 878 pixels");
    }
    EXPECT_TRUE(view.RowsRead.empty());
    EXPECT_EQ(LoadBitmapFromFile(path), TBitmap24());
}

TEST(Capture, AnUnwritableFileRaisesTheWriteError)
{
    QTemporaryDir dir;
    const std::string regularFile = dir.filePath("c.bmp").toStdString();
    TFakeView view;
    CaptureViewToFile(regularFile, 2, 2, view.Reader());
    const std::string path = regularFile + "/inner.bmp";
    EXPECT_THROW(CaptureViewToFile(path, 2, 2, view.Reader()), TError);
    // Both errors at once: the write's error is the one that goes on.
    try {
        CaptureViewToFile(path, -1, 2, view.Reader());
        ADD_FAILURE();
    } catch (const TError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path + ": Not a directory");
    }
}
