#include "snapshot/Capture.h"
#include "tests/gui/snapshot/KnownView.h"
#include "tests/support/TestGL.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

uint32_t Get32(const QByteArray& data, int at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(data[at + i]);
    return value;
}

} // namespace

TEST(CaptureView, ReadsTheViewBottomUpWithoutItsEdgeRows)
{
    const auto gl = MakeTestContext(1150, 880);
    if (!gl)
        return;
    DrawKnownView(1150, 880);
    QTemporaryDir dir;
    const QString path = dir.filePath("CaptureRender.bmp");
    CaptureViewToFile(path.toStdString(), 950, 878);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const int stride = 2852;
    ASSERT_EQ(data.size(), 54 + stride * 878);
    EXPECT_EQ(data.left(2), "BM");
    EXPECT_EQ(Get32(data, 10), 54u);   // no colour table
    EXPECT_EQ(Get32(data, 14), 40u);   // info header
    EXPECT_EQ(Get32(data, 18), 950u);
    EXPECT_EQ(Get32(data, 22), 878u);  // positive: bottom-up
    EXPECT_EQ(Get32(data, 28) & 0xFFFF, 24u);
    EXPECT_EQ(Get32(data, 30), 0u);    // uncompressed

    // File row j (bottom first) holds window row j + 1, columns 0 to 949.
    const QImage view = gl->ReadBuffer();
    int mismatches = 0, edgeRowPixels = 0;
    for (int j = 0; j < 878; ++j) {
        const auto* fileRow = reinterpret_cast<const uint8_t*>(data.constData()) + 54 + j * stride;
        const uint8_t* viewRow = view.constScanLine(879 - (j + 1));
        for (int x = 0; x < 950; ++x) {
            const uint8_t* bgr = fileRow + 3 * x;
            const uint8_t* rgba = viewRow + 4 * x;
            mismatches += bgr[0] != rgba[2] || bgr[1] != rgba[1] || bgr[2] != rgba[0];
            edgeRowPixels += bgr[0] == 255;
        }
        for (int pad = 3 * 950; pad < stride; ++pad)
            mismatches += fileRow[pad] != 0;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(edgeRowPixels, 0);

    // The rectangle's lowest window row lands in file row 299.
    const auto pixel = [&](int x, int j) {
        const char* p = data.constData() + 54 + j * stride + 3 * x;
        return QColor(static_cast<uint8_t>(p[2]), static_cast<uint8_t>(p[1]), static_cast<uint8_t>(p[0]));
    };
    EXPECT_EQ(pixel(KnownRectX, KnownRectY - 1), QColor(10, 200, 30));
    EXPECT_NE(pixel(KnownRectX, KnownRectY - 2), QColor(10, 200, 30));
    EXPECT_EQ(pixel(KnownRectX + KnownRectWidth - 1, KnownRectY + KnownRectHeight - 2), QColor(10, 200, 30));
    EXPECT_NE(pixel(KnownRectX + KnownRectWidth, KnownRectY), QColor(10, 200, 30));
    EXPECT_EQ(pixel(949, 400), QColor(250, 5, 64));  // the stripe runs on past the right edge
}

TEST(CaptureView, LeavesThePackStateAndReadBufferAlone)
{
    const auto gl = MakeTestContext(64, 48);
    if (!gl)
        return;
    GLint readBuffer = 0;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    QTemporaryDir dir;
    CaptureViewToFile(dir.filePath("c.bmp").toStdString(), 33, 46);  // odd rows, 99 bytes
    GLint alignment = 0, after = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_READ_BUFFER, &after);
    EXPECT_EQ(alignment, 4);
    EXPECT_EQ(after, readBuffer);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
