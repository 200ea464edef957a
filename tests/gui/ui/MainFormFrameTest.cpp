#include "tests/support/MainFormFixture.h"
#include "ui/Main.h"
#include "ui/widgets/StatusBar.h"
#include "view/ViewPresenter.h"

#include <GL/gl.h>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainFormFrame : public TMainFormFixture {
protected:
    // A mouse move over the view with the cursor really at p.
    void MoveOverView(QPoint p, Qt::MouseButtons buttons)
    {
        QCursor::setPos(p);
        QApplication::processEvents();
        const QPoint local = Form->ViewPresenter->mapFromGlobal(p);
        QMouseEvent move(QEvent::MouseMove, local, local, p, Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(Form->ViewPresenter, &move);
    }

    QPoint ViewCentre() const { return Form->mapToGlobal(Form->FreeArea().center()); }

    // Resizes the window, repaints it at once as a window system does, and
    // lets it draw and show the frames of the new size.
    void ResizeAndShow(int width, int height)
    {
        Form->resize(width, height);
        Form->repaint();
        WaitForFrame();
        WaitForFrame();
        QTest::qWait(50);
    }

    // How many pixels of an area of a panel (in the panel's coordinates)
    // differ between what the screen shows and what the panel draws itself.
    int PixelsNotDrawnBy(QWidget* panel, const QRect& area) const
    {
        const QRect onForm(panel->mapTo(Form.get(), area.topLeft()), area.size());
        const QImage shown = QGuiApplication::primaryScreen()
                                 ->grabWindow(Form->winId(), onForm.x(), onForm.y(), onForm.width(), onForm.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage own = panel->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        if (shown.size() != own.size())
            return area.width() * area.height();
        int count = 0;
        for (int y = 0; y < own.height(); ++y)
            for (int x = 0; x < own.width(); ++x)
                count += !Near(shown.pixelColor(x, y), own.pixelColor(x, y), 2);
        return count;
    }
};

} // namespace

TEST_F(MainFormFrame, FirstFrameClearsToWhiteAndShowsTheZeroAngles)
{
    Form->StatusBar->SetSimpleText("Ok");
    EXPECT_EQ(Form->StatusBar->SimpleText(), "Ok");
    WaitForFrame();
    EXPECT_EQ(Form->StatusBar->SimpleText(), "XRotation : 0    YRotation : 0");
    // The top-left corner of the view lies above the box: cleared white.
    GLubyte pixel[4] = {};
    glReadPixels(2, 877, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 255);
    EXPECT_NEAR(pixel[3], 128, 1);
    // What the window shows is opaque.
    const QImage shown = Form->ViewPresenter->grab(QRect(0, 238, 40, 40)).toImage();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(MainFormFrame, LeftDragTurnsTheBoxOtherButtonsDoNot)
{
    const QPoint start = ViewCentre();
    MoveOverView(start, Qt::RightButton);
    MoveOverView(start + QPoint(90, 40), Qt::RightButton);
    EXPECT_EQ(Form->YRotation, 0.0f);
    EXPECT_EQ(Form->XRotation, 0.0f);

    Form->LastCursorPos = {start.x(), start.y()};
    MoveOverView(start + QPoint(90, 0), Qt::LeftButton);
    MoveOverView(start + QPoint(90, 40), Qt::LeftButton);
    EXPECT_EQ(Form->YRotation, 45.0f);
    EXPECT_EQ(Form->XRotation, 10.0f);
    WaitForFrame();
    EXPECT_EQ(Form->StatusBar->SimpleText(), "XRotation : 10    YRotation : 45");
}

TEST_F(MainFormFrame, DragPastTheRightEdgeWrapsWithoutAJump)
{
    const QRect frame = Form->frameGeometry();
    const int y = Form->mapToGlobal(Form->FreeArea().center()).y();
    const QPoint nearEdge(frame.left() + Form->width() - 20, y);
    Form->LastCursorPos = {nearEdge.x(), nearEdge.y()};
    MoveOverView(QPoint(frame.left() + Form->width() - 10, y), Qt::LeftButton);
    EXPECT_EQ(Form->YRotation, 5.0f);
    if (QCursor::pos().x() != frame.left() + 11)
        GTEST_SKIP() << "this display does not let the program move the pointer";
    EXPECT_EQ(Form->LastCursorPos.X, frame.left() + 11);
    // The next move is measured from the wrapped position.
    MoveOverView(QPoint(frame.left() + 21, y), Qt::LeftButton);
    EXPECT_EQ(Form->YRotation, 10.0f);
}

TEST_F(MainFormFrame, BackgroundCheckBoxShowsInTheNextFrame)
{
    // The billboard, 70 x 70 at (-20, 0, -65) in eye space, covers the view's
    // far left beside the box; it shows there as depth nearer than the clear.
    auto depthAtLeft = [] {
        GLfloat depth = 0.0f;
        glReadPixels(60, 335, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    };
    WaitForFrame();
    EXPECT_EQ(depthAtLeft(), 1.0f);
    Form->ShowBackCheckBox->setChecked(true);
    WaitForFrame();
    EXPECT_LT(depthAtLeft(), 1.0f);
    EXPECT_EQ(Form->ViewUp[1], 1.0f);
    EXPECT_EQ(Form->ViewRight[0], 1.0f);
    Form->ShowBackCheckBox->setChecked(false);
    WaitForFrame();
    EXPECT_EQ(depthAtLeft(), 1.0f);
}

TEST_F(MainFormFrame, ResizingBelowTheMarginOrToNothingKeepsRunning)
{
    Form->resize(400, 150);
    WaitForFrame();
    Form->resize(400, 0);
    QApplication::processEvents();
    Form->resize(1150, 880);
    WaitForFrame();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1150);
    EXPECT_EQ(viewport[3], 670);
}

TEST_F(MainFormFrame, NarrowWindowsShowThePanelsNotTheViewUnderThem)
{
    WaitForFrame();
    // The property group then covers a part of the view shown at full width.
    ResizeAndShow(800, 880);
    const std::vector<QLabel*> labels = {Form->Label5, Form->Label6, Form->Label7,
                                         Form->Label3, Form->Label1, Form->Label2};
    for (QLabel* label : labels)
        EXPECT_EQ(PixelsNotDrawnBy(Form->GroupBox1, label->geometry()), 0) << label->text().toStdString();
    // Lower than the property group: the status bar covers the view as well.
    ResizeAndShow(600, 400);
    EXPECT_EQ(PixelsNotDrawnBy(Form->StatusBar, Form->StatusBar->rect()), 0);
    for (QLabel* label : labels)
        EXPECT_EQ(PixelsNotDrawnBy(Form->GroupBox1, label->geometry()), 0) << label->text().toStdString();
}

TEST_F(MainFormFrame, AnOddWidthViewShowsWholeWhateverThePackAlignmentAndKeepsIt)
{
    // The view 671 pixels wide: rows of 2684 bytes, which an alignment of 8 would pad.
    Form->resize(1151, 880);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    WaitForFrame();
    const QRect free = Form->FreeArea();
    ASSERT_EQ(free.width(), 671);
    const QImage shown = Form->ViewPresenter->grab(free).toImage();
    for (const QPoint p : {view_probes::CoverAtRest, QPoint(2, 240), QPoint(670, 860), QPoint(100, 700)})
        EXPECT_TRUE(Near(shown.pixelColor(p - free.topLeft()), ViewPixel(p.x(), p.y()), 0)) << p.x() << ", " << p.y();
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}

TEST_F(MainFormFrame, UnseenTheFramesKeepTheirStatusTextAndDrawOnlyOnceShownAgain)
{
    const auto depthAtLeft = [this] {  // where the billboard shows, left of the box
        Form->ViewDC->BindBuffer();
        GLfloat depth = 0.0f;
        glReadPixels(60, 335, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    };
    const QString window = QString::number(Form->winId());
    struct TWay {
        const char* Name;
        std::function<void()> Leave, Return;
    };
    const TWay ways[] = {
        {"minimised", [&] { Form->showMinimized(); }, [&] { Form->showNormal(); }},
        {"hidden", [&] { Form->hide(); }, [&] { Form->show(); }},
        // A window manager unmaps a window it minimises.
        {"unmapped", [&] { QProcess::execute("xdotool", {"windowunmap", "--sync", window}); },
         [&] { QProcess::execute("xdotool", {"windowmap", "--sync", window}); }},
    };
    float angle = 0.0f;
    for (const TWay& way : ways) {
        SCOPED_TRACE(way.Name);
        WaitForFrame();
        ASSERT_EQ(depthAtLeft(), 1.0f);
        way.Leave();
        QTest::qWait(200);
        const long drawn = Form->FramesDrawn;
        Form->XRotation = angle += 10.0f;
        Form->ShowBackCheckBox->setChecked(true);
        const QString status = QStringLiteral("XRotation : %1    YRotation : 0").arg(angle);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Form->StatusBar->SimpleText() == status; }));
        QTest::qWait(250);
        EXPECT_EQ(Form->FramesDrawn, drawn);
        EXPECT_EQ(depthAtLeft(), 1.0f);  // the back buffer still holds the last frame shown

        way.Return();
        WaitForFrame();
        EXPECT_LT(depthAtLeft(), 1.0f);
        Form->ShowBackCheckBox->setChecked(false);
    }
}

TEST_F(MainFormFrame, AtRestFramesComeInPairsPerTick)
{
    WaitForFrame();
    const long before = Form->FramesDrawn;
    // A real event loop, which sleeps between events (QTest::qWait polls).
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    const long frames = Form->FramesDrawn - before;
    EXPECT_GE(frames, 16);
    EXPECT_LE(frames, 24);
}
