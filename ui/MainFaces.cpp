// The five face slots: their paths, texture objects and previews.
#include "ui/Main.h"

#include "cover/TextureImage.h"
#include "platform/dialogs/Dialogs.h"
#include "ui/widgets/PaintBox.h"

#include <QFile>

namespace {

// The previewed slots share their index with their picture store item.
int StoreIndex(TFaceSlot slot)
{
    return static_cast<int>(slot);
}

} // namespace

std::string& TMainForm::ImagePath(TFaceSlot slot)
{
    switch (slot) {
    case TFaceSlot::Cover: return CoverImagePath;
    case TFaceSlot::Spine: return SpineImagePath;
    case TFaceSlot::Top: return TopImagePath;
    case TFaceSlot::Floor: return FloorImagePath;
    case TFaceSlot::Plain: break;
    }
    return PlainImagePath;
}

std::unique_ptr<TTextureImage>& TMainForm::Texture(TFaceSlot slot)
{
    switch (slot) {
    case TFaceSlot::Cover: return CoverTexture;
    case TFaceSlot::Spine: return SpineTexture;
    case TFaceSlot::Top: return TopTexture;
    case TFaceSlot::Floor: return FloorTexture;
    case TFaceSlot::Plain: break;
    }
    return PlainTexture;
}

TFaceTextures TMainForm::FaceTextures()
{
    TFaceTextures textures{};
    for (TFaceSlot slot : FaceSlots)
        textures[static_cast<size_t>(slot)] = Texture(slot).get();
    return textures;
}

void TMainForm::LoadFaceTextures()
{
    for (TFaceSlot slot : FaceSlots) {
        Texture(slot)->LoadImage(ImagePath(slot));
        Texture(slot)->GenTexture();
    }
    RebuildBoxFromSizes();
}

void TMainForm::ReleaseFaceTextures()
{
    for (TFaceSlot slot : FaceSlots)
        Texture(slot)->DeleteTexture();
}

void TMainForm::RepaintPreviews()
{
    for (TPaintBox* preview : {PaintBoxFront, PaintBoxSide, PaintBoxTop, PaintBoxFloor})
        preview->update();
}

void TMainForm::PaintFacePreview(TFaceSlot slot, QPainter& canvas, const QRect& clip)
{
    FaceImageList.Item(StoreIndex(slot)).Picture.StretchDraw(canvas, clip);
}

void TMainForm::PaintBoxFrontPaint(QPainter& canvas, const QRect& clip)
{
    PaintFacePreview(TFaceSlot::Cover, canvas, clip);
}

void TMainForm::PaintBoxSidePaint(QPainter& canvas, const QRect& clip)
{
    PaintFacePreview(TFaceSlot::Spine, canvas, clip);
}

void TMainForm::PaintBoxTopPaint(QPainter& canvas, const QRect& clip)
{
    PaintFacePreview(TFaceSlot::Top, canvas, clip);
}

void TMainForm::PaintBoxFloorPaint(QPainter& canvas, const QRect& clip)
{
    PaintFacePreview(TFaceSlot::Floor, canvas, clip);
}

// The picture store item first, then the texture: a picture the store refuses
// leaves both as they were. The texture keeps its GL name, so the box shows
// the new image from the next frame on without a rebuild.
void TMainForm::LoadFaceImage(TFaceSlot slot, const std::string& path)
{
    FaceImageList.Item(StoreIndex(slot)).Picture.LoadFromFile(path);
    Texture(slot)->LoadImage(path);
    Texture(slot)->GenTexture();
}

void TMainForm::ReplaceFaceImage(TFaceSlot slot)
{
    if (const std::optional<QString> chosen = Dialogs->Execute(TFileDialogKind::OpenPictureDialog))
        ReplaceFaceImage(slot, *chosen);
}

// The path field takes the chosen file even when loading it then fails.
void TMainForm::ReplaceFaceImage(TFaceSlot slot, const QString& chosen)
{
    ImagePath(slot) = QFile::encodeName(chosen).toStdString();
    LoadFaceImage(slot, ImagePath(slot));
    RepaintPreviews();
}

void TMainForm::PaintBoxFrontDblClick()
{
    ReplaceFaceImage(TFaceSlot::Cover);
}

void TMainForm::PaintBoxSideDblClick()
{
    ReplaceFaceImage(TFaceSlot::Spine);
}

void TMainForm::PaintBoxTopDblClick()
{
    ReplaceFaceImage(TFaceSlot::Top);
}

void TMainForm::PaintBoxFloorDblClick()
{
    ReplaceFaceImage(TFaceSlot::Floor);
}
