#pragma once
// The main window as a user meets it, for end-to-end tests: started in a
// temporary working directory that holds the five default face images as
// solid colours, its file dialogs answered by the test, its errors recorded,
// and the view's frames read back pixel by pixel.
#include "cover/TextureImage.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/ErrorReport.h"
#include "tests/support/TestGL.h"
#include "ui/widgets/DrawGrid.h"
#include "ui/Main.h"
#include "ui/widgets/PaintBox.h"
#include "ui/widgets/SpinEdit.h"
#include "view/ViewSurface.h"

#include <GL/gl.h>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <array>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

// Answers the window's file dialogs from a queue of paths (a null QString, or
// an empty queue, cancels) and records which dialogs were asked for.
class TFakeDialogs final : public TDialogs {
public:
    std::optional<QString> Execute(TFileDialogKind kind) override
    {
        Asked.push_back(kind);
        if (Answers.empty())
            return std::nullopt;
        const QString answer = Answers.front();
        Answers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

    std::deque<QString> Answers;
    std::vector<TFileDialogKind> Asked;
};

// One solid colour per default face image, in slot order (cover, spine, top, floor, plain).
inline const std::array<QColor, FaceSlotCount> StartColours{QColor(220, 40, 40), QColor(40, 160, 40),
                                                            QColor(40, 40, 220), QColor(220, 200, 40),
                                                            QColor(200, 40, 200)};
inline const std::array<const char*, FaceSlotCount> StartNames{"cover.jpg", "spine.jpg", "top.jpg", "floor.jpg",
                                                               "plain.jpg"};

inline QColor StartColour(TFaceSlot slot)
{
    return StartColours[static_cast<int>(slot)];
}

// Colours within a few steps of each other in every channel (JPEG and
// filtering move a solid colour slightly).
inline bool Near(QColor a, QColor b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Writes a 16 x 16 picture of one colour; the format follows the name's
// extension unless given.
inline void WriteSolidPicture(const QString& path, QColor colour, const char* format = nullptr)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format, 100)) << path.toStdString();
}

// How many pixels of image lie away from colour.
inline int PixelsAwayFrom(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += !Near(image.pixelColor(x, y), colour);
    return count;
}

class TMainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Work.isValid());
        SavedCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(Work.path()));
        SavedReporter = SetErrorReporter([this](const QString& message) { Errors << message; });
        for (int i = 0; i < FaceSlotCount; ++i)
            WriteSolidPicture(Work.filePath(StartNames[i]), StartColours[i]);
        if (!StartForm())
            ReportNoGL("the window could not start: " + Errors.join("; ").toStdString());
    }

    void TearDown() override
    {
        Form.reset();
        QDir::setCurrent(SavedCurrent);
        SetErrorReporter(SavedReporter);
    }

    // Starts a new main window in the working directory as it is now, with its
    // dialogs answered by Dialogs, and waits until it shows; false when it
    // could get no GL context.
    bool StartForm()
    {
        Form.reset();
        Form = std::make_unique<TMainForm>();
        if (!Form->ViewRC)
            return false;
        auto dialogs = std::make_unique<TFakeDialogs>();
        Dialogs = dialogs.get();
        Form->Dialogs = std::move(dialogs);
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get())) << "the window never showed";
        return true;
    }

    // Runs the event loop until at least one more frame has been drawn.
    void WaitForFrame()
    {
        const long before = Form->FramesDrawn;
        QElapsedTimer timer;
        timer.start();
        while (Form->FramesDrawn == before && timer.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_GT(Form->FramesDrawn, before) << "no frame was drawn";
    }

    // A pixel of the last frame, at (x, y) of the client area (y downwards).
    QColor ViewPixel(int x, int y) const
    {
        Form->ViewDC->BindBuffer();
        GLubyte pixel[4] = {};
        glReadPixels(x, Form->height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return QColor(pixel[0], pixel[1], pixel[2]);
    }

    // Expects the colours of the last frame at the given points.
    void ExpectView(const std::vector<std::pair<QPoint, QColor>>& probes) const
    {
        for (const auto& [p, colour] : probes) {
            const QColor seen = ViewPixel(p.x(), p.y());
            EXPECT_TRUE(Near(seen, colour)) << "at (" << p.x() << ", " << p.y() << ") "
                                            << seen.name().toStdString() << " instead of "
                                            << colour.name().toStdString();
        }
    }

    // What a preview shows, painted as the window paints it.
    static QImage Shown(QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // A left click on a cell of the style strip, scrolled into view first.
    void ClickStyleCell(int col)
    {
        TDrawGrid* grid = Form->SelectStyleDrawGrid;
        if (col < grid->LeftCol() || grid->CellRect(col, 0).right() >= grid->viewport()->width())
            grid->horizontalScrollBar()->setValue(col);
        const QRect cell = grid->CellRect(col, 0);
        ASSERT_LT(cell.center().x(), grid->viewport()->width()) << col;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    // From now on every change of a spin edit's text is recorded, with the
    // three sizes as the shared change handler then reads them, before it runs.
    void WatchSizeChanges()
    {
        for (TSpinEdit* edit : {Form->SpinEditWidth, Form->SpinEditHeight, Form->SpinEditDepth})
            edit->OnChange = [this, original = edit->OnChange] {
                SizeChanges.push_back(Sizes());
                Changes << QStringLiteral("Sizes %1 %2 %3").arg(Sizes()[0]).arg(Sizes()[1]).arg(Sizes()[2]);
                original();
            };
    }

    // From now on every change of an option's state is recorded in Changes.
    void WatchOptionChanges()
    {
        const std::pair<QCheckBox*, const char*> options[] = {{Form->CheckBoxBook, "Book"},
                                                              {Form->CheckBoxFloor, "Floor"},
                                                              {Form->ShowBackCheckBox, "Back"},
                                                              {Form->CheckBoxOpen, "Open"}};
        for (const auto& [box, name] : options)
            QObject::connect(box, &QCheckBox::toggled, Form.get(), [this, name = QString::fromLatin1(name)](bool on) {
                Changes << name + (on ? " on" : " off");
            });
    }

    std::array<int, 3> Sizes() const
    {
        return {Form->SpinEditWidth->Value(), Form->SpinEditHeight->Value(), Form->SpinEditDepth->Value()};
    }

    std::array<GLuint, FaceSlotCount> TextureIDs() const
    {
        return {Form->CoverTexture->TextureID, Form->SpineTexture->TextureID, Form->TopTexture->TextureID,
                Form->FloorTexture->TextureID, Form->PlainTexture->TextureID};
    }

    // A file's lines, without their line ends.
    static QStringList Lines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        for (QString& line : lines)
            if (line.endsWith('\r'))
                line.chop(1);
        return lines;
    }

    QTemporaryDir Work;
    QString SavedCurrent;
    TErrorReporter SavedReporter;
    QStringList Errors;
    std::unique_ptr<TMainForm> Form;
    TFakeDialogs* Dialogs = nullptr;
    std::vector<std::array<int, 3>> SizeChanges;
    QStringList Changes;
};

// Where the faces show in a frame of the laid-out window with the box at
// 20 x 30 x 5: at rest the near cover fills the middle of the view; in the
// pose of style 2 the cover, the spine and the top show side by side.
namespace view_probes {
inline const QPoint CoverAtRest(350, 540);
inline const QPoint FloorAtRest(800, 700);
inline const QPoint BesideTheBox(800, 500);
inline const QPoint CoverInStyle2(300, 500);
inline const QPoint SpineInStyle2(540, 500);
inline const QPoint TopInStyle2(330, 300);
inline const QPoint TuckFlapInStyle2(400, 240);  // with the lid open
} // namespace view_probes
