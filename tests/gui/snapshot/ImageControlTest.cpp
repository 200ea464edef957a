#include "tests/snapshot/BitmapTestHelpers.h"
#include "ui/widgets/ImageControl.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Red, green on top; blue, white below.
TBitmap24 Quadrants()
{
    TBitmap24 bitmap(2, 2);
    SetPixel(bitmap, 0, 0, {0, 0, 255});
    SetPixel(bitmap, 1, 0, {0, 255, 0});
    SetPixel(bitmap, 0, 1, {255, 0, 0});
    SetPixel(bitmap, 1, 1, {255, 255, 255});
    return bitmap;
}

} // namespace

TEST(ImageControl, StartsEmptyAndDrawsNothing)
{
    TImageControl control;
    control.resize(323, 248);
    EXPECT_TRUE(control.Picture().Empty());
    const QImage shown = control.grab().toImage();
    EXPECT_EQ(shown.pixelColor(160, 120), control.palette().window().color());
}

TEST(ImageControl, StretchesThePictureOverTheWholeControl)
{
    TImageControl control;
    control.resize(323, 248);
    control.Picture().Assign(Quadrants());
    const QImage shown = control.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(160, 123), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(322, 0), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(0, 247), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(322, 247), QColor(Qt::white));
}

TEST(ImageControl, RepaintsOnThePictureChangeNotification)
{
    TImageControl control;
    control.resize(323, 248);
    control.Picture().Assign(Quadrants());
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    QApplication::processEvents();
    TPaintCounter counter;
    control.installEventFilter(&counter);

    SetPixel(*control.Picture().Bitmap(), 0, 0, {0, 0, 0});
    QApplication::processEvents();
    EXPECT_EQ(counter.Paints, 0);  // bytes edited in place: nothing knows yet
    control.Picture().Changed();
    QApplication::processEvents();
    EXPECT_GE(counter.Paints, 1);
    EXPECT_EQ(control.grab().toImage().pixelColor(10, 10), QColor(Qt::black));
}
