#include "ui/Main.h"

#include "platform/ApplicationEvents.h"
#include "platform/dialogs/Dialogs.h"
#include "cover/TextureImage.h"
#include "platform/ErrorReport.h"
#include "ui/HelpUnit.h"
#include "ui/widgets/PaintBox.h"
#include "ui/widgets/SpinEdit.h"
#include "ui/widgets/StatusBar.h"
#include "view/Frame.h"
#include "view/RenderState.h"
#include "view/ViewPresenter.h"
#include "view/ViewSurface.h"

#include <QCheckBox>
#include <QCursor>
#include <QLocale>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

TMainForm::TMainForm()
{
    CreateComponents();
    ConnectHandlers();
    RunGuarded([this] { FormCreate(); });
}

TMainForm::~TMainForm()
{
    RunGuarded([this] { FormDestroy(); });
}

void TMainForm::ConnectHandlers()
{
    // A handler of a component's event runs through the error report.
    auto guarded = [this](void (TMainForm::*handler)()) {
        return [this, handler] { RunGuarded([&] { (this->*handler)(); }); };
    };
    ViewPresenter->OnMouseMove = [this](QMouseEvent* event) {
        RunGuarded([&] { FormMouseMove(event->buttons()); });
    };
    connect(Timer1, &QTimer::timeout, this, guarded(&TMainForm::Timer1Timer));
    ApplicationEvents1->OnIdle = [this](bool& done) { RunGuarded([&] { ApplicationEvents1Idle(done); }); };
    connect(ToolButton9, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton9Click));
    connect(ToolButton2, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton2Click));
    connect(ToolButton3, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton3Click));
    connect(ToolButton8, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton8Click));
    connect(ToolButton4, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton4Click));
    connect(ToolButton6, &QToolButton::clicked, this, guarded(&TMainForm::ToolButton6Click));

    // A check box fires on every change of its state, set by the user or by
    // opening a cover file; a spin edit on every change of its text.
    connect(CheckBoxOpen, &QCheckBox::toggled, this, guarded(&TMainForm::CheckBoxOpenClick));
    connect(CheckBoxFloor, &QCheckBox::toggled, this, guarded(&TMainForm::CheckBoxFloorClick));
    connect(CheckBoxBook, &QCheckBox::toggled, this, guarded(&TMainForm::CheckBoxBookClick));
    for (TSpinEdit* edit : {SpinEditWidth, SpinEditHeight, SpinEditDepth})
        edit->OnChange = guarded(&TMainForm::SpinEditWidthChange);

    SelectStyleDrawGrid->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                             TGridDrawState state) {
        RunGuarded([&] { SelectStyleDrawGridDrawCell(canvas, col, row, rect, state); });
    };
    SelectStyleDrawGrid->OnSelectCell = [this](int col, int row, bool& canSelect) {
        RunGuarded([&] { SelectStyleDrawGridSelectCell(col, row, canSelect); });
    };

    const std::pair<TPaintBox*, void (TMainForm::*)(QPainter&, const QRect&)> paints[] = {
        {PaintBoxFront, &TMainForm::PaintBoxFrontPaint},
        {PaintBoxSide, &TMainForm::PaintBoxSidePaint},
        {PaintBoxTop, &TMainForm::PaintBoxTopPaint},
        {PaintBoxFloor, &TMainForm::PaintBoxFloorPaint},
    };
    for (const auto& entry : paints) {
        const auto paint = entry.second;
        entry.first->OnPaint = [this, paint](QPainter& canvas, const QRect& clip) {
            RunGuarded([&] { (this->*paint)(canvas, clip); });
        };
    }
    PaintBoxFront->OnDblClick = guarded(&TMainForm::PaintBoxFrontDblClick);
    PaintBoxSide->OnDblClick = guarded(&TMainForm::PaintBoxSideDblClick);
    PaintBoxTop->OnDblClick = guarded(&TMainForm::PaintBoxTopDblClick);
    PaintBoxFloor->OnDblClick = guarded(&TMainForm::PaintBoxFloorDblClick);

    // Files dropped anywhere on the window reach its drop handlers.
    setAcceptDrops(true);
}

void TMainForm::resizeEvent(QResizeEvent*)
{
    ApplyLayout();
    RunGuarded([this] { FormResize(); });
}

void TMainForm::FormCreate()
{
    LoadGraphicsLibraries("libGL.so.1", "libGLU.so.1");
    ViewDC = new TViewSurface(ViewPresenter);
    ViewRC = CreateViewContext(ViewDC, opDoubleBuffered, 32, 24, 0, 0, 0, 0);
    const QPoint cursor = QCursor::pos();
    LastCursorPos = {cursor.x(), cursor.y()};
    MakeViewContextCurrent(ViewDC, ViewRC);
    ApplyRenderState();
    FillStylePresets();
    // Bare names resolve against the working directory.
    CoverImagePath = "cover.jpg";
    SpineImagePath = "spine.jpg";
    TopImagePath = "top.jpg";
    FloorImagePath = "floor.jpg";
    PlainImagePath = "plain.jpg";
    LoadFaceTextures();
    RepaintPreviews();
}

void TMainForm::FormDestroy()
{
    // The textures go with the context: their names are released while it
    // still lives, so that no texture object makes a GL call after it.
    if (ViewRC)
        ReleaseFaceTextures();
    DetachViewContext();
    delete ViewRC;
    ViewRC = nullptr;
    delete ViewDC;
    ViewDC = nullptr;
}

void TMainForm::FormResize()
{
    // Nothing until the context is current; the first resize after it sets
    // the back buffer, the viewport and the projection.
    if (!ViewRC)
        return;
    ViewDC->ResizeBuffer(width(), height());
    SetViewProjection(width(), height());
}

void TMainForm::FormMouseMove(Qt::MouseButtons shift)
{
    if (!(shift & Qt::LeftButton))
        return;
    const QPoint cursor = QCursor::pos();
    const TCursorPos p{cursor.x(), cursor.y()};
    ApplyDragStep(XRotation, YRotation, LastCursorPos, p);
    LastCursorPos = p;
    const QRect frame = frameGeometry();
    for (const TCursorPos& target : EdgeWrapMoves(p, frame.left(), frame.top(), width(), height()))
        QCursor::setPos(target.X, target.Y);
    const QPoint after = QCursor::pos();
    LastCursorPos = {after.x(), after.y()};
}

void TMainForm::ApplicationEvents1Idle(bool&)
{
    DrawFrame();
}

void TMainForm::Timer1Timer()
{
    DrawFrame();
}

void TMainForm::ToolButton4Click()
{
    if (HelpForm)
        HelpForm->ShowHelp();
}

void TMainForm::ToolButton6Click()
{
    close();
}

void TMainForm::DrawFrame()
{
    // No frame without a current context, and none inside another (an error
    // report shown from a frame runs its own event loop).
    if (!ViewRC || InFrame_)
        return;
    InFrame_ = true;
    struct TFrameEnd {
        bool& InFrame;
        ~TFrameEnd() { InFrame = false; }
    } frameEnd{InFrame_};

    // A minimised or hidden window has no pixels to show a frame in: there
    // the frame keeps only its status text, and the first one after the
    // window shows again is drawn whole.
    if (ViewShown()) {
        TFrameScene scene;
        scene.XRotation = XRotation;
        scene.YRotation = YRotation;
        scene.ShowBackground = ShowBackCheckBox->isChecked();
        scene.BoxList = BoxList;
        scene.FloorTexture = FloorTexture.get();
        const TViewBasis basis = DrawScene(scene);
        std::copy(basis.Up, basis.Up + 3, ViewUp);
        std::copy(basis.Right, basis.Right + 3, ViewRight);
        ViewDC->SwapBuffers();
        ++FramesDrawn;
    }
    StatusBar->SetSimpleText(RotationStatusText(XRotation, YRotation, locale().decimalPoint()));
}

bool TMainForm::ViewShown() const
{
    // Hidden, or minimised by a window manager, the window is unmapped: not
    // exposed. Some systems keep a minimised window mapped, and without a
    // window manager there is only its state.
    const QWindow* window = windowHandle();
    return window && window->isExposed() && !isMinimized();
}
