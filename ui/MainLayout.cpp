// The main window's layout: its components with their places, sizes, texts
// and initial values, and the align rules applied when the window resizes.
#include "ui/Main.h"

#include "platform/ApplicationEvents.h"
#include "platform/dialogs/Dialogs.h"
#include "ui/widgets/CoolBar.h"
#include "ui/widgets/DrawGrid.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/PaintBox.h"
#include "ui/widgets/SpinEdit.h"
#include "ui/widgets/StatusBar.h"
#include "view/ViewCamera.h"
#include "view/ViewPresenter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace {

// The laid-out client area and the heights and widths of its aligned controls.
constexpr int ClientWidth = DesignClientWidth;
constexpr int ClientHeight = DesignClientHeight;
constexpr int BandHeight = 56;
constexpr int CoolBarHeight = 60;
constexpr int BannerHeight = 27;
constexpr int StyleStripHeight = 151;
constexpr int TopStackHeight = FreeAreaTop;
static_assert(CoolBarHeight + BannerHeight + StyleStripHeight == TopStackHeight);
constexpr int StatusBarHeight = FreeAreaBottomMargin;
constexpr int PropertiesWidth = FreeAreaRightMargin;
constexpr int SnapshotGroupHeight = 286;
constexpr int GroupEdge = 2;

constexpr QSize ToolButtonSize(55, 54);
constexpr int SeparatorWidth = 8;

QLabel* MakeLabel(const QString& text, QWidget* parent, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QCheckBox* MakeCheckBox(const QString& text, QWidget* parent, const QRect& rect)
{
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(rect);
    return box;
}

TSpinEdit* MakeSpinEdit(int value, QWidget* parent, const QRect& rect)
{
    auto* edit = new TSpinEdit(parent);
    edit->setGeometry(rect);
    edit->SetValue(value);
    return edit;
}

TPaintBox* MakePaintBox(QWidget* parent, const QRect& rect)
{
    auto* box = new TPaintBox(parent);
    box->setGeometry(rect);
    return box;
}

} // namespace

void TMainForm::CreateComponents()
{
    setWindowTitle(QStringLiteral("Plenamar 2007 - box shots made by the Plenamar developers"));
    setFont(MainWindowFont());

    // The view's presenter is the first and so the lowest child, under every control.
    ViewPresenter = new TViewPresenter(this);

    CreateToolBar();

    Panel1 = new QLabel(QStringLiteral("Plenamar 2007"), this);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setFont(BannerFont());
    Panel1->setAutoFillBackground(true);
    QPalette banner = Panel1->palette();
    banner.setColor(QPalette::Window, QColor(99, 148, 198));
    banner.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(banner);

    SelectStyleDrawGrid = new TDrawGrid(this);
    SelectStyleDrawGrid->SetGridSize(50, 1, 128, 128);
    for (int i = 0; i < StylePresetCount; ++i)
        BoxImageList[i] = QPixmap(QStringLiteral(":/assets/thumbnails/preset%1.png").arg(i));

    CreateObjectProperties();

    StatusBar = new TStatusBar(this);
    StatusBar->SetSimpleText(QStringLiteral("Ok"));

    // The panels draw their own background: whatever the window's size, the
    // view's last frame never shows through them.
    for (QWidget* panel : {static_cast<QWidget*>(CoolBar1), static_cast<QWidget*>(GroupBox1),
                           static_cast<QWidget*>(StatusBar)})
        panel->setAutoFillBackground(true);

    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(100);
    Timer1->start();

    ApplicationEvents1 = new TApplicationEvents(this);

    Dialogs = std::make_unique<TStandardDialogs>(this);

    resize(ClientWidth, ClientHeight);
    ApplyLayout();
}

void TMainForm::CreateToolBar()
{
    CoolBar1 = new TCoolBar(this);
    ToolBar1 = new QWidget;
    CoolBar1->SetBand(ToolBar1, BandHeight);

    int left = 0;
    auto separator = [&] {
        auto* line = new QFrame(ToolBar1);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setGeometry(left, 0, SeparatorWidth, ToolButtonSize.height());
        left += SeparatorWidth;
        return line;
    };
    auto button = [&](const char* icon, const char* hint) {
        auto* b = new QToolButton(ToolBar1);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIcon(QIcon(QStringLiteral(":/assets/icons/") + QLatin1String(icon)));
        b->setIconSize(QSize(48, 48));
        b->setToolTip(QString::fromUtf8(hint));
        b->setGeometry(QRect(QPoint(left, 0), ToolButtonSize));
        left += ToolButtonSize.width();
        return b;
    };
    ToolButton1 = separator();
    ToolButton9 = button("open.png", "Open a Cover File");
    ToolButton2 = button("save.png", "Save a Cover File");
    ToolButton10 = separator();
    ToolButton3 = button("snapshot.png", "Create Cover Snapshot");
    ToolButton8 = button("export.png", "Export Snapshot to File");
    ToolButton7 = separator();
    ToolButton4 = button("help.png", "Help Me !");
    ToolButton5 = separator();
    ToolButton6 = button("close.png", "Close Cubrio");
}

void TMainForm::CreateObjectProperties()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Object Properties (Click on Images To Change)"), this);
    QWidget* group = GroupBox1;

    Label5 = MakeLabel(QStringLiteral("Width"), group, 24, 23);
    SpinEditWidth = MakeSpinEdit(20, group, {60, 19, 54, 22});
    Label6 = MakeLabel(QStringLiteral("Height"), group, 22, 52);
    SpinEditHeight = MakeSpinEdit(30, group, {60, 48, 54, 22});
    Label7 = MakeLabel(QStringLiteral("Depth"), group, 24, 80);
    SpinEditDepth = MakeSpinEdit(5, group, {60, 76, 54, 22});

    CheckBoxBook = MakeCheckBox(QStringLiteral("Look More Like Book"), group, {172, 20, 146, 17});
    CheckBoxFloor = MakeCheckBox(QStringLiteral("Show Floor"), group, {172, 41, 97, 17});
    ShowBackCheckBox = MakeCheckBox(QStringLiteral("Show Background (Floor Image)"), group, {172, 61, 183, 17});
    CheckBoxOpen = MakeCheckBox(QStringLiteral("Open Box Lid"), group, {172, 82, 97, 17});

    Label3 = MakeLabel(QStringLiteral("Front Image"), group, 25, 103);
    PaintBoxFront = MakePaintBox(group, {26, 119, 177, 204});
    Label1 = MakeLabel(QStringLiteral("Top Image"), group, 218, 102);
    PaintBoxTop = MakePaintBox(group, {221, 118, 43, 207});
    Label2 = MakeLabel(QStringLiteral("Spine Image"), group, 280, 102);
    PaintBoxSide = MakePaintBox(group, {283, 120, 46, 204});
    Label4 = MakeLabel(QStringLiteral("Floor"), group, 347, 201);
    PaintBoxFloor = MakePaintBox(group, {347, 219, 105, 105});

    GroupBox2 = new QGroupBox(QStringLiteral("Snapshot Properties"), group);
    SnapShotImage = new TImageControl(GroupBox2);
    SnapShotImage->setGeometry(80, 23, 323, 248);

    // Tab order inside the group.
    QWidget* const order[] = {GroupBox2, CheckBoxFloor, CheckBoxOpen, SpinEditWidth,
                              SpinEditHeight, SpinEditDepth, ShowBackCheckBox, CheckBoxBook};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QRect TMainForm::FreeArea() const
{
    const TFreeArea free = FreeAreaOf(width(), height());
    return QRect(free.Left, free.Top, free.Width, free.Height);
}

void TMainForm::ApplyLayout()
{
    const int w = width();
    const int h = height();
    ViewPresenter->setGeometry(0, 0, w, h);
    ViewPresenter->SetShownRect(FreeArea());
    // The top stack.
    CoolBar1->setGeometry(0, 0, w, CoolBarHeight);
    Panel1->setGeometry(0, CoolBarHeight, w, BannerHeight);
    SelectStyleDrawGrid->setGeometry(0, CoolBarHeight + BannerHeight, w, StyleStripHeight);
    // The status bar at the bottom, the property group on the right between
    // them, and the snapshot group at the property group's bottom.
    StatusBar->setGeometry(0, h - StatusBarHeight, w, StatusBarHeight);
    GroupBox1->setGeometry(w - PropertiesWidth, TopStackHeight, PropertiesWidth,
                           std::max(0, h - TopStackHeight - StatusBarHeight));
    GroupBox2->setGeometry(GroupEdge, GroupBox1->height() - GroupEdge - SnapshotGroupHeight,
                           PropertiesWidth - 2 * GroupEdge, SnapshotGroupHeight);
}
