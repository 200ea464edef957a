// The box: its geometry list, the handlers that rebuild it, and the style presets.
#include "ui/Main.h"

#include "ui/widgets/DrawGrid.h"
#include "ui/widgets/SpinEdit.h"
#include "view/BoxList.h"

#include <QPainter>

// The book, lid and floor options as the check boxes hold them.
void TMainForm::BuildBoxList(float Width, float Height, float Depth)
{
    BoxList = CompileBoxList(BoxList, Width, Height, Depth, BoxOptionsOf(CoverState()), FaceTextures());
}

// Width, height and depth are read in that order, as the spin edits hold them.
void TMainForm::RebuildBoxFromSizes()
{
    const float width = static_cast<float>(SpinEditWidth->Value());
    const float height = static_cast<float>(SpinEditHeight->Value());
    const float depth = static_cast<float>(SpinEditDepth->Value());
    BuildBoxList(width, height, depth);
}

void TMainForm::CheckBoxOpenClick()
{
    RebuildBoxFromSizes();
}

void TMainForm::CheckBoxFloorClick()
{
    RebuildBoxFromSizes();
}

void TMainForm::CheckBoxBookClick()
{
    RebuildBoxFromSizes();
}

void TMainForm::SpinEditWidthChange()
{
    RebuildBoxFromSizes();
}

void TMainForm::FillStylePresets()
{
    StylePresets = StylePresetTable();
}

// The sizes go through the spin edits: each one that changes rebuilds the box
// once, with the values as they stand at that moment.
void TMainForm::ApplyStylePreset(TStylePreset Preset)
{
    XRotation = Preset.XRotation;
    YRotation = Preset.YRotation;
    SpinEditWidth->SetValue(Preset.Width);
    SpinEditHeight->SetValue(Preset.Height);
    SpinEditDepth->SetValue(Preset.Depth);
}

void TMainForm::SelectStyleDrawGridDrawCell(QPainter& canvas, int ACol, int, const QRect& Rect, TGridDrawState)
{
    if (ACol >= 0 && ACol < StylePresetCount)
        canvas.drawPixmap(Rect.left() + 3, Rect.top(), BoxImageList[ACol]);
}

void TMainForm::SelectStyleDrawGridSelectCell(int ACol, int, bool& CanSelect)
{
    if (ACol >= 0 && ACol < StylePresetCount)
        ApplyStylePreset(StylePresets[ACol]);
    CanSelect = true;
}
