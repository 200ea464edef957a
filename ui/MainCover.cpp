// Cover files: opening and saving a box's set-up.
#include "ui/Main.h"

#include "cover/CoverSlots.h"
#include "cover/TextureImage.h"
#include "platform/dialogs/Dialogs.h"
#include "ui/widgets/SpinEdit.h"

#include <QCheckBox>
#include <QFile>

void TMainForm::ChooseCoverFile(const QString& chosen)
{
    CoverFileName = QFile::encodeName(chosen).toStdString();
    CoverFileFolder = CoverFolderOf(CoverFileName);
}

void TMainForm::ToolButton9Click()
{
    if (const std::optional<QString> chosen = Dialogs->Execute(TFileDialogKind::OpenDialog))
        OpenCoverFile(*chosen);
}

// Opening reads every key into the window as a user's change would (each
// changed size or option rebuilds the box), then loads the four previewed
// images from the cover file's folder. The plain image stays as it is.
void TMainForm::OpenCoverFile(const QString& chosen)
{
    ChooseCoverFile(chosen);
    ReadCoverFile(CoverFileName);
    for (TFaceSlot slot : PreviewedFaceSlots)
        LoadFaceImage(slot, CoverImageLocation(CoverFileFolder, ImagePath(slot)));
    RepaintPreviews();
    RebuildBoxFromSizes();
}

void TMainForm::ToolButton2Click()
{
    const std::optional<QString> chosen = Dialogs->Execute(TFileDialogKind::SaveDialog);
    if (!chosen)
        return;
    ChooseCoverFile(*chosen);
    WriteCoverFile(CoverFileName);
}

void TMainForm::ReadCoverFile(const std::string& FileName)
{
    ::ReadCoverFile(FileName, *this);
}

void TMainForm::WriteCoverFile(const std::string& FileName)
{
    ::WriteCoverFile(FileName, CoverState());
}

TCoverState TMainForm::CoverState()
{
    TCoverState state;
    for (size_t i = 0; i < state.ImagePaths.size(); ++i)
        state.ImagePaths[i] = ImagePath(FaceSlotOf(static_cast<TCoverImage>(i)));
    for (size_t i = 0; i < state.Options.size(); ++i)
        state.Options[i] = CoverOptionBoxes()[i]->isChecked();
    for (size_t i = 0; i < state.Sizes.size(); ++i)
        state.Sizes[i] = CoverSizeEdits()[i]->Value();
    return state;
}

std::array<QCheckBox*, 4> TMainForm::CoverOptionBoxes() const
{
    return {CheckBoxBook, CheckBoxFloor, ShowBackCheckBox, CheckBoxOpen};
}

std::array<TSpinEdit*, 3> TMainForm::CoverSizeEdits() const
{
    return {SpinEditWidth, SpinEditHeight, SpinEditDepth};
}

void TMainForm::SetImagePath(TCoverImage image, const std::string& name)
{
    ImagePath(FaceSlotOf(image)) = name;
}

void TMainForm::SetOption(TCoverOption option, bool checked)
{
    CoverOptionBoxes()[static_cast<size_t>(option)]->setChecked(checked);
}

void TMainForm::SetSize(TCoverSize size, int32_t value)
{
    CoverSizeEdits()[static_cast<size_t>(size)]->SetValue(value);
}
