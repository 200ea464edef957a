// Cover files: opening and saving a box's set-up.
#include "ui/Main.h"

#include "cover/TextureImage.h"
#include "platform/Dialogs.h"
#include "ui/SpinEdit.h"

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
    for (TFaceSlot slot : {TFaceSlot::Cover, TFaceSlot::Spine, TFaceSlot::Top, TFaceSlot::Floor})
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
    TCoverState state;
    state.ImagePaths = {CoverImagePath, SpineImagePath, PlainImagePath, TopImagePath, FloorImagePath};
    state.Options = {CheckBoxBook->isChecked(), CheckBoxFloor->isChecked(), ShowBackCheckBox->isChecked(),
                     CheckBoxOpen->isChecked()};
    state.Sizes = {SpinEditWidth->Value(), SpinEditHeight->Value(), SpinEditDepth->Value()};
    ::WriteCoverFile(FileName, state);
}

void TMainForm::SetImagePath(TCoverImage image, const std::string& name)
{
    std::string* const fields[] = {&CoverImagePath, &SpineImagePath, &PlainImagePath, &TopImagePath,
                                   &FloorImagePath};
    *fields[static_cast<int>(image)] = name;
}

void TMainForm::SetOption(TCoverOption option, bool checked)
{
    QCheckBox* const boxes[] = {CheckBoxBook, CheckBoxFloor, ShowBackCheckBox, CheckBoxOpen};
    boxes[static_cast<int>(option)]->setChecked(checked);
}

void TMainForm::SetSize(TCoverSize size, int32_t value)
{
    TSpinEdit* const edits[] = {SpinEditWidth, SpinEditHeight, SpinEditDepth};
    edits[static_cast<int>(size)]->SetValue(value);
}
