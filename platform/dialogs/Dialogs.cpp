#include "platform/dialogs/Dialogs.h"

#include "platform/FileFilter.h"
#include "platform/dialogs/PicturePreview.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QSettings>

namespace {

const QString CoverFilter = QStringLiteral("Cover Files (*.cov)|*.cov|All Files (*.*)|*.*");

const QString PictureFilter = QStringLiteral(
    "All (*.bmp;*.dib;*.ico;*.wmf;*.emf;*.jpg;*.jpeg)|*.bmp;*.dib;*.ico;*.wmf;*.emf;*.jpg;*.jpeg"
    "|Bitmaps (*.bmp)|*.bmp"
    "|Device Independent Bitmaps (*.dib)|*.dib"
    "|Icons (*.ico)|*.ico"
    "|Metafiles (*.wmf)|*.wmf"
    "|Enhanced Metafiles (*.emf)|*.emf"
    "|JPEG Images (*.jpg)|*.jpg"
    "|JPEG Images (*.jpeg)|*.jpeg");

void AddPreviewPane(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new TPicturePreview(&dialog);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    grid->addWidget(preview, 1, grid->columnCount());
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &TPicturePreview::ShowFile);
}

// Qt's file dialog reads its history, last folder and layout from the user's
// QtProject.conf when it is made and writes them back when it goes. The
// program keeps nothing between runs, so the user-wide settings of this
// process point where no file can be read or made: /dev/null is no folder.
void KeepNoDialogSettings()
{
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace

const TFileDialogSettings& FileDialogSettings(TFileDialogKind kind)
{
    static const std::map<TFileDialogKind, TFileDialogSettings> settings = {
        {TFileDialogKind::OpenDialog, {QString(), CoverFilter, QStringLiteral(".cov"), false, false}},
        {TFileDialogKind::SaveDialog, {QString(), CoverFilter, QStringLiteral(".cov"), true, false}},
        {TFileDialogKind::OpenPictureDialog,
         {QStringLiteral("Open Image File"), PictureFilter, QStringLiteral(".BMP"), false, true}},
        {TFileDialogKind::SavePictureDialog,
         {QString(), QStringLiteral("Bitmap File|*.bmp"), QStringLiteral(".bmp"), true, true}},
    };
    return settings.at(kind);
}

std::unique_ptr<QFileDialog> CreateFileDialog(TFileDialogKind kind, QWidget* parent)
{
    KeepNoDialogSettings();
    const TFileDialogSettings& settings = FileDialogSettings(kind);
    auto dialog = std::make_unique<QFileDialog>(parent, settings.Title);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite
                       | QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(settings.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(QtNameFilters(settings.Filter));
    dialog->setDefaultSuffix(settings.DefaultExt.mid(1));
    if (settings.Preview)
        AddPreviewPane(*dialog);
    return dialog;
}

std::optional<QString> TStandardDialogs::Execute(TFileDialogKind kind)
{
    const std::unique_ptr<QFileDialog> dialog = CreateFileDialog(kind, Parent_);
    QString& last = LastFile_[kind];
    if (!last.isEmpty())
        dialog->selectFile(last);
    else if (!LastFolder_.isEmpty())
        dialog->setDirectory(LastFolder_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    last = dialog->selectedFiles().first();
    LastFolder_ = QFileInfo(last).absolutePath();
    return last;
}
