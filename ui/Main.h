#pragma once
// The main window: its layout, its state, and the handlers that call into the
// box view, the covers and images, and the snapshot.
#include "cover/CoverFile.h"
#include "cover/FaceSlot.h"
#include "cover/PictureStore.h"
#include "cover/TextureImage.h"
#include "ui/widgets/DrawGrid.h"
#include "view/BoxList.h"
#include "view/GLLoader.h"
#include "view/Rotation.h"
#include "view/StylePresets.h"

#include <GL/gl.h>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMimeData;
class QTimer;
class QToolButton;
class TApplicationEvents;
class TCoolBar;
class TDialogs;
class TDrawGrid;
struct TFileDrop;
class THelpForm;
class TImageControl;
class TPaintBox;
class TSpinEdit;
class TStatusBar;
class TViewPresenter;

class TMainForm : public QWidget, private TCoverTarget {
    Q_OBJECT
public:
    // Lays out the window and runs the start-up sequence (FormCreate).
    TMainForm();
    // Runs the shutdown sequence (FormDestroy).
    ~TMainForm() override;

    // Components, in the order of the layout.
    TViewPresenter* ViewPresenter = nullptr;
    TCoolBar* CoolBar1 = nullptr;
    QWidget* ToolBar1 = nullptr;
    QFrame* ToolButton1 = nullptr;
    QToolButton* ToolButton9 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QFrame* ToolButton10 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QFrame* ToolButton7 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QFrame* ToolButton5 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QLabel* Panel1 = nullptr;
    TDrawGrid* SelectStyleDrawGrid = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label5 = nullptr;
    TSpinEdit* SpinEditWidth = nullptr;
    QLabel* Label6 = nullptr;
    TSpinEdit* SpinEditHeight = nullptr;
    QLabel* Label7 = nullptr;
    TSpinEdit* SpinEditDepth = nullptr;
    QCheckBox* CheckBoxBook = nullptr;
    QCheckBox* CheckBoxFloor = nullptr;
    QCheckBox* ShowBackCheckBox = nullptr;
    QCheckBox* CheckBoxOpen = nullptr;
    QLabel* Label3 = nullptr;
    TPaintBox* PaintBoxFront = nullptr;
    QLabel* Label1 = nullptr;
    TPaintBox* PaintBoxTop = nullptr;
    QLabel* Label2 = nullptr;
    TPaintBox* PaintBoxSide = nullptr;
    QLabel* Label4 = nullptr;
    TPaintBox* PaintBoxFloor = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TImageControl* SnapShotImage = nullptr;
    TStatusBar* StatusBar = nullptr;
    QTimer* Timer1 = nullptr;
    TApplicationEvents* ApplicationEvents1 = nullptr;
    // The style strip's thumbnails and the face previews' pictures.
    std::array<QPixmap, StylePresetCount> BoxImageList;
    TPictureStore FaceImageList;

    // The file dialogs; tests put their own answers in place of the real ones.
    std::unique_ptr<TDialogs> Dialogs;
    // The help window the help command shows; set once both windows exist.
    THelpForm* HelpForm = nullptr;

    // Window handlers.
    void FormCreate();
    void FormDestroy();
    void FormResize();
    void FormMouseMove(Qt::MouseButtons shift);
    void ApplicationEvents1Idle(bool& done);
    void Timer1Timer();

    // Commands.
    void ToolButton9Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton8Click();
    void ToolButton4Click();
    void ToolButton6Click();

    // Rebuilds of the box geometry list.
    void CheckBoxOpenClick();
    void CheckBoxFloorClick();
    void CheckBoxBookClick();
    void SpinEditWidthChange();

    // The style strip.
    void SelectStyleDrawGridDrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void SelectStyleDrawGridSelectCell(int ACol, int ARow, bool& CanSelect);

    // The face previews.
    void PaintBoxFrontPaint(QPainter& canvas, const QRect& clip);
    void PaintBoxSidePaint(QPainter& canvas, const QRect& clip);
    void PaintBoxTopPaint(QPainter& canvas, const QRect& clip);
    void PaintBoxFloorPaint(QPainter& canvas, const QRect& clip);
    void PaintBoxFrontDblClick();
    void PaintBoxSideDblClick();
    void PaintBoxTopDblClick();
    void PaintBoxFloorDblClick();

    // State.
    float ViewUp[3] = {};
    float ViewRight[3] = {};
    HDC ViewDC = nullptr;
    HGLRC ViewRC = nullptr;
    GLuint BoxList = 0;
    float YRotation = 0.0f;
    float XRotation = 0.0f;
    TCursorPos LastCursorPos;
    std::array<TStylePreset, StylePresetCount> StylePresets{};
    std::string CoverImagePath, SpineImagePath, PlainImagePath, TopImagePath, FloorImagePath;
    std::string CoverFileName, CoverFileFolder;

    // The texture objects of the five face slots, loaded in place at start-up
    // and on every change of an image. They exist from the window's creation,
    // so even a start-up that failed before loading them leaves objects that
    // bind nothing rather than none at all.
    std::unique_ptr<TTextureImage> CoverTexture = std::make_unique<TTextureImage>();
    std::unique_ptr<TTextureImage> SpineTexture = std::make_unique<TTextureImage>();
    std::unique_ptr<TTextureImage> TopTexture = std::make_unique<TTextureImage>();
    std::unique_ptr<TTextureImage> FloorTexture = std::make_unique<TTextureImage>();
    std::unique_ptr<TTextureImage> PlainTexture = std::make_unique<TTextureImage>();

    // Frames drawn since start-up, for the frame-rate measurement and tests;
    // the triggers of a minimised or hidden window draw none.
    long FramesDrawn = 0;

    // The part of the client area not covered by any control, where the view shows.
    QRect FreeArea() const;

    // Opens a cover file given from outside the window's dialogs (named on the
    // command line, dropped on the window) as the toolbar's open does with the
    // file its dialog gave; a relative name counts from the working directory.
    // A file that cannot be read is refused with "Cannot open file ..." and
    // changes nothing (MainGivenFiles.cpp).
    void OpenGivenCoverFile(const QString& fileName);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Files dropped on the window (MainGivenFiles.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The layout (MainLayout.cpp).
    void CreateComponents();
    void CreateToolBar();
    void CreateObjectProperties();
    void ApplyLayout();
    // The wiring of the components to their handlers.
    void ConnectHandlers();

    void DrawFrame();
    // True while the window shows the view: exposed and not minimised.
    bool ViewShown() const;

    // The box (MainBox.cpp).
    void BuildBoxList(float Width, float Height, float Depth);
    void RebuildBoxFromSizes();
    void FillStylePresets();
    void ApplyStylePreset(TStylePreset Preset);

    // The face slots (MainFaces.cpp).
    void LoadFaceTextures();
    void ReleaseFaceTextures();
    void RepaintPreviews();
    std::string& ImagePath(TFaceSlot slot);
    std::unique_ptr<TTextureImage>& Texture(TFaceSlot slot);
    TFaceTextures FaceTextures();
    void PaintFacePreview(TFaceSlot slot, QPainter& canvas, const QRect& clip);
    void LoadFaceImage(TFaceSlot slot, const std::string& path);
    void ReplaceFaceImage(TFaceSlot slot);
    void ReplaceFaceImage(TFaceSlot slot, const QString& chosen);

    // The cover file (MainCover.cpp).
    void ReadCoverFile(const std::string& FileName);
    void WriteCoverFile(const std::string& FileName);
    void ChooseCoverFile(const QString& chosen);
    // The window's box as a cover file keeps it; the options and sizes in the
    // order of the file.
    TCoverState CoverState();
    std::array<QCheckBox*, 4> CoverOptionBoxes() const;
    std::array<TSpinEdit*, 3> CoverSizeEdits() const;
    void OpenCoverFile(const QString& chosen);
    void SetImagePath(TCoverImage image, const std::string& name) override;
    void SetOption(TCoverOption option, bool checked) override;
    void SetSize(TCoverSize size, int32_t value) override;

    // Files dropped on the window (MainGivenFiles.cpp).
    TFileDrop FileDropAt(const QMimeData* data, QPoint position) const;
    void DropFile(const TFileDrop& drop);

    bool InFrame_ = false;
};
